// Datagrams from 127.0.0.1 into the terminal: the real socket, logic and main window
// (offscreen). The sender keeps a bounded number of datagrams on their way, so the figure is
// the rate the terminal logs them at, not the rate the socket drops them at.
// Usage: zelterm_udp_flood [DATAGRAMS] [BYTES_EACH]
#include <QApplication>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "terminal_rig.h"
#include "transport/udp_endpoint.h"

namespace zel::bench {
namespace {

constexpr size_t kOnTheirWay = 128;
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

// Counts the logged datagrams, one line each, from the log's text as it grows.
class LineCounter {
  public:
    explicit LineCounter(const CommLog& log) : log_(log), scanned_(log.Text().size()) {}
    size_t Count() {
        const std::string& text = log_.Text();
        for (size_t at = text.find("\r\n", scanned_); at != std::string::npos;
             at = text.find("\r\n", at + 2)) {
            ++lines_;
            scanned_ = at + 2;
        }
        return lines_;
    }

  private:
    const CommLog& log_;
    size_t scanned_;
    size_t lines_ = 0;
};

struct UdpFlood {
    double logMs = -1;
    double viewMs = -1;
    size_t logged = 0;
    double worstStallMs = -1;
};

UdpFlood Run(size_t datagramCount, size_t byteCount) {
    const uint32_t port = FreeUdpPort();
    WindowedTerminal window({"Sonnel", kEthernet, "", port});
    UdpFlood result;
    if (!window.Parts().udp.IsOpen()) {
        std::fputs("the terminal did not open its UDP port\n", stderr);
        return result;
    }
    const CommLog& log = window.Terminal().Log();
    LineCounter counter(log);
    ViewCatchUp catchUp(window.Box());
    std::atomic<size_t> logged{0};
    std::atomic<bool> stop{false};
    std::unique_ptr<LatenessProbe> probe;
    std::thread sender;
    Clock::time_point start;
    Clock::time_point lastProgress;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, [&] {
        const size_t count = counter.Count();
        if (count != logged) lastProgress = Clock::now();
        logged = count;
        if (result.logMs < 0 && count >= datagramCount) result.logMs = MillisecondsSince(start);
        if (result.logMs >= 0 && catchUp.Done(log)) result.viewMs = MillisecondsSince(start);
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
                while (sent - logged.load() >= kOnTheirWay && !stop) {
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                }
                device.SendTo(Datagram(sent, byteCount), "127.0.0.1", port);
            }
        });
        check.start(1);
    });
    QApplication::exec();
    stop = true;
    sender.join();
    return result;
}

}  // namespace
}  // namespace zel::bench

int main(int argc, char** argv) {
    using namespace zel::bench;
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const size_t bytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 16;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const UdpFlood flood = Run(count, bytes);
    Report("udp_datagrams", static_cast<double>(count));
    Report("udp_datagram_bytes", static_cast<double>(bytes));
    Report("udp_lost", static_cast<double>(count - flood.logged));
    Report("udp_logged_per_s", static_cast<double>(flood.logged) / (flood.logMs / 1000));
    Report("udp_shown_per_s", static_cast<double>(flood.logged) / (flood.viewMs / 1000));
    Report("udp_worst_stall_ms", flood.worstStallMs);
    return flood.viewMs > 0 && flood.logged == count ? 0 : 1;
}
