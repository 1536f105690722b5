// A device flooding a pseudo-terminal: the terminal (the real serial transport, logic and main
// window, offscreen) against cat draining the same amount from a pseudo-terminal of its own.
// Also the longest stall of the window's event loop during the terminal's floods, and when it
// ended, to tell the log's part from the box's.
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
constexpr int kRuns = 3;  // each side; the medians are reported
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
    double worstStallEndedAtMs = -1;
    double worstStallAfterLogMs = -1;  // the log box's passes alone
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
    std::unique_ptr<LatenessProbe> afterLog;
    std::thread writer;
    Clock::time_point start;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, [&] {
        const double elapsedMs = MillisecondsSince(start);
        if (result.logMs < 0 && log.Text().ends_with(kLastLineLogged)) {
            result.logMs = elapsedMs;
            afterLog = std::make_unique<LatenessProbe>();
        }
        if (result.logMs >= 0 && catchUp.Done()) result.viewMs = elapsedMs;
        if (result.viewMs >= 0 || elapsedMs > kPatienceMs) {
            result.worstStallMs = probe->WorstMs();
            result.worstStallEndedAtMs = probe->WorstEndedAtMs();
            if (afterLog) result.worstStallAfterLogMs = afterLog->WorstMs();
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
    for (int run = 0; run < kRuns; ++run) catMs.push_back(CatDrainMs(flood));
    std::sort(catMs.begin(), catMs.end());
    std::vector<TerminalFlood> terminal;
    for (int run = 0; run < kRuns; ++run) terminal.push_back(TerminalDrain(flood));
    const TerminalFlood worstStall = *std::max_element(
        terminal.begin(), terminal.end(),
        [](const auto& a, const auto& b) { return a.worstStallMs < b.worstStallMs; });
    std::sort(terminal.begin(), terminal.end(),
              [](const auto& a, const auto& b) { return a.viewMs < b.viewMs; });
    const TerminalFlood& median = terminal[kRuns / 2];
    const double medianCatMs = catMs[kRuns / 2];

    Report("pty_flood_megabytes", megabytes);
    Report("pty_runs", kRuns);
    Report("pty_cat_ms", medianCatMs);
    Report("pty_terminal_log_ms", median.logMs);
    Report("pty_terminal_view_ms", median.viewMs);
    Report("pty_terminal_over_cat", median.viewMs / medianCatMs);
    Report("pty_terminal_megabytes_per_s", megabytes / (median.viewMs / 1000));
    Report("flood_worst_stall_ms", worstStall.worstStallMs);
    Report("flood_worst_stall_ended_at_ms", worstStall.worstStallEndedAtMs);
    Report("flood_worst_stall_run_log_ms", worstStall.logMs);
    Report("flood_worst_box_stall_ms",
           std::max_element(terminal.begin(), terminal.end(), [](const auto& a, const auto& b) {
               return a.worstStallAfterLogMs < b.worstStallAfterLogMs;
           })->worstStallAfterLogMs);
    const bool failed = catMs.front() < 0 || terminal.front().viewMs < 0;
    return failed ? 1 : 0;
}
