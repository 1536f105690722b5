// Datagrams from 127.0.0.1 into the terminal: the real socket, logic and main window
// (offscreen). The sender keeps a bounded number of datagrams on their way, so the figure is
// the rate the terminal logs them at, not the rate the socket drops them at.
// Usage: zelterm_udp_flood [DATAGRAMS] [BYTES_EACH] [window|logic]
// ("logic" leaves the window out, telling its cost apart).
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>
#include <vector>

#include "terminal_rig.h"
#include "transport/udp_endpoint.h"

namespace zel::bench {
namespace {

constexpr size_t kOnTheirWay = 128;
constexpr int kRuns = 3;             // the median run is reported, and the worst losses and stall
constexpr int kQuietLimitMs = 3000;  // no datagram logged for this long: the rest were lost

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

// Printable, numbered, ending in a carriage return like a device's reply.
std::string Datagram(size_t number, size_t byteCount) {
    std::string text = "D" + std::to_string(number) + " ";
    text.resize(byteCount - 1, 'x');
    return text + '\r';
}

// Counts the logged datagrams, one line each, as the log announces them, and passes the
// announcements on to the log box (if any).
class LineCounter : public CommLog::Observer {
  public:
    LineCounter(CommLog& log, CommLog::Observer* next) : log_(log), next_(next) {
        log_.SetObserver(this);
    }
    ~LineCounter() override { log_.SetObserver(next_); }

    void OnAppended(std::string_view piece) override {
        lines += static_cast<size_t>(std::count(piece.begin(), piece.end(), '\n'));
        if (next_) next_->OnAppended(piece);
    }
    void OnDroppedFront(size_t count) override {
        if (next_) next_->OnDroppedFront(count);
    }
    void OnCleared() override {
        if (next_) next_->OnCleared();
    }

    std::atomic<size_t> lines{0};

  private:
    CommLog& log_;
    CommLog::Observer* next_;
};

// Processor time of the whole process (terminal and sender), in microseconds.
double ProcessCpuMicroseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto micros = [](const timeval& time) { return time.tv_sec * 1e6 + time.tv_usec; };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

struct UdpFlood {
    double cpuMicroseconds = 0;
    double logMs = -1;
    double viewMs = -1;
    size_t logged = 0;
    double worstStallMs = -1;
};

UdpFlood Run(size_t datagramCount, size_t byteCount, WindowedTerminal::Shown shown) {
    const uint32_t port = FreeUdpPort();
    WindowedTerminal window({"Sonnel", kEthernet, "", port}, shown);
    UdpFlood result;
    if (!window.Parts().udp.IsOpen()) {
        std::fputs("the terminal did not open its UDP port\n", stderr);
        return result;
    }
    CommLog& log = window.Terminal().Log();
    LineCounter logged(log, window.Box());
    ViewCatchUp catchUp(window.Box());
    std::atomic<bool> stop{false};
    std::unique_ptr<LatenessProbe> probe;
    std::thread sender;
    Clock::time_point start;
    Clock::time_point lastProgress;
    size_t seen = 0;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, [&] {
        const size_t count = logged.lines;
        if (count != seen) lastProgress = Clock::now();
        seen = count;
        if (result.logMs < 0 && count >= datagramCount) result.logMs = MillisecondsSince(start);
        if (result.logMs >= 0 && catchUp.Done()) result.viewMs = MillisecondsSince(start);
        if (result.viewMs >= 0 || MillisecondsSince(lastProgress) > kQuietLimitMs) {
            const double untilLastMs =
                std::chrono::duration<double, std::milli>(lastProgress - start).count();
            if (result.logMs < 0) result.logMs = untilLastMs;
            if (result.viewMs < 0) result.viewMs = untilLastMs;
            result.logged = count;
            result.worstStallMs = probe->WorstMs();
            QApplication::quit();
        }
    });
    QTimer::singleShot(0, [&] {
        start = lastProgress = Clock::now();
        probe = std::make_unique<LatenessProbe>();
        sender = std::thread([&] {
            UdpEndpoint device;
            if (!device.Bind("127.0.0.1", 0)) return;
            for (size_t sent = 0; sent < datagramCount && !stop; ++sent) {
                while (sent - logged.lines.load() >= kOnTheirWay && !stop) {
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                }
                device.SendTo(Datagram(sent, byteCount), "127.0.0.1", port);
            }
        });
        check.start(1);
    });
    const double cpuBefore = ProcessCpuMicroseconds();
    QApplication::exec();
    stop = true;
    sender.join();
    result.cpuMicroseconds = ProcessCpuMicroseconds() - cpuBefore;
    return result;
}

}  // namespace
}  // namespace zel::bench

int main(int argc, char** argv) {
    using namespace zel::bench;
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const size_t bytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 16;
    const bool logicOnly = argc > 3 && std::string_view(argv[3]) == "logic";
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::vector<UdpFlood> floods;
    for (int run = 0; run < kRuns; ++run) {
        floods.push_back(
            Run(count, bytes,
                logicOnly ? WindowedTerminal::Shown::Nothing : WindowedTerminal::Shown::Window));
    }
    auto worst = [&](auto field) {
        double value = 0;
        for (const UdpFlood& flood : floods) value = std::max(value, field(flood));
        return value;
    };
    const double lost = worst([&](const UdpFlood& f) { return double(count - f.logged); });
    const double stall = worst([](const UdpFlood& f) { return f.worstStallMs; });
    std::sort(floods.begin(), floods.end(),
              [](const auto& a, const auto& b) { return a.logMs < b.logMs; });
    const UdpFlood& median = floods[kRuns / 2];

    const std::string prefix = logicOnly ? "udp_logic_" : "udp_";
    auto report = [&](const char* name, double value) { Report(prefix + name, value); };
    Report("udp_runs", kRuns);
    Report("udp_datagrams", static_cast<double>(count));
    Report("udp_datagram_bytes", static_cast<double>(bytes));
    report("lost", lost);
    report("logged_per_s", static_cast<double>(median.logged) / (median.logMs / 1000));
    if (!logicOnly) {
        report("shown_per_s", static_cast<double>(median.logged) / (median.viewMs / 1000));
    }
    report("worst_stall_ms", stall);
    report("cpu_us_per_datagram", median.cpuMicroseconds / static_cast<double>(median.logged));
    return lost == 0 && median.viewMs > 0 ? 0 : 1;
}
