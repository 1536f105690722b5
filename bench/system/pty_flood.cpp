// A device flooding a pseudo-terminal: the terminal (the real serial transport, logic and main
// window, offscreen) against cat draining the same amount from a pseudo-terminal of its own.
// Also the longest stall of the window's event loop during the terminal's flood.
// Usage: zelterm_pty_flood [MEGABYTES]
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "device_replies.h"
#include "terminal_rig.h"
#include "transport/pseudo_terminal.h"

extern char** environ;

namespace zel::bench {
namespace {

constexpr std::string_view kLastLine = "FLOOD-END\r";
constexpr std::string_view kLastLineLogged = "FLOOD-END<0D>\r\n";
constexpr int kCatRuns = 3;
constexpr int kPatienceMs = 300000;

std::string FloodBytes(size_t byteCount) {
    return DeviceReplies(byteCount - kLastLine.size()) + std::string(kLastLine);
}

// cat copies the slave side into a pipe this process empties; done when every byte came out.
double CatDrainMs(const std::string& flood) {
    PseudoTerminal line;
    int out[2];
    if (!line.IsOpen() || pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, line.SlavePath().c_str(), O_RDONLY | O_NOCTTY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char cat[] = "cat";
    char* arguments[] = {cat, nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "cat", &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // cat waits in its read

    const auto start = Clock::now();
    std::thread writer([&] { Flood(line, flood); });
    std::array<char, 64 * 1024> buffer;
    size_t drained = 0;
    while (drained < flood.size()) {
        const ssize_t n = read(out[0], buffer.data(), buffer.size());
        if (n <= 0) break;
        drained += static_cast<size_t>(n);
    }
    const double elapsedMs = MillisecondsSince(start);
    writer.join();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(out[0]);
    return drained == flood.size() ? elapsedMs : -1;
}

struct TerminalFlood {
    double logMs = -1;   // every byte in the log
    double viewMs = -1;  // and shown in the log box
    double worstStallMs = -1;
};

TerminalFlood TerminalDrain(const std::string& flood) {
    PseudoTerminal line;
    TerminalFlood result;
    if (!line.IsOpen()) return result;
    WindowedTerminal window({"Korvex", kSerial, line.SlavePath(), 0});
    if (!window.Parts().serial.IsOpen()) {
        std::fputs("the terminal did not open the pseudo-terminal\n", stderr);
        return result;
    }
    const CommLog& log = window.Terminal().Log();
    ViewCatchUp catchUp(window.Box());
    std::unique_ptr<LatenessProbe> probe;
    std::thread writer;
    Clock::time_point start;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, [&] {
        const double elapsedMs = MillisecondsSince(start);
        if (result.logMs < 0 && log.Text().ends_with(kLastLineLogged)) result.logMs = elapsedMs;
        if (result.logMs >= 0 && catchUp.Done(log)) result.viewMs = elapsedMs;
        if (result.viewMs >= 0 || elapsedMs > kPatienceMs) {
            result.worstStallMs = probe->WorstMs();
            QApplication::quit();
        }
    });
    QTimer::singleShot(0, [&] {
        start = Clock::now();
        probe = std::make_unique<LatenessProbe>();
        writer = std::thread([&] { Flood(line, flood); });
        check.start(1);
    });
    QApplication::exec();
    line.CloseMaster();  // a writer still blocked on a full line gives up
    writer.join();
    return result;
}

}  // namespace
}  // namespace zel::bench

int main(int argc, char** argv) {
    using namespace zel::bench;
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 10;
    const std::string flood = FloodBytes(static_cast<size_t>(megabytes * (1 << 20)));
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    std::vector<double> catMs;
    for (int run = 0; run < kCatRuns; ++run) catMs.push_back(CatDrainMs(flood));
    std::sort(catMs.begin(), catMs.end());
    const TerminalFlood terminal = TerminalDrain(flood);

    Report("pty_flood_megabytes", megabytes);
    Report("pty_cat_ms", catMs[kCatRuns / 2]);
    Report("pty_terminal_log_ms", terminal.logMs);
    Report("pty_terminal_view_ms", terminal.viewMs);
    Report("pty_terminal_over_cat", terminal.viewMs / catMs[kCatRuns / 2]);
    Report("pty_terminal_megabytes_per_s", megabytes / (terminal.viewMs / 1000));
    Report("flood_worst_stall_ms", terminal.worstStallMs);
    return terminal.viewMs > 0 && catMs.front() > 0 ? 0 : 1;
}
