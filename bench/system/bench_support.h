#pragma once
// What the system benchmarks share: their settings file, a pseudo-terminal flood, the event
// loop's lateness and the way results are printed for scripts/bench.sh.
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "services/comm_log.h"

namespace zel {
class LogView;
class PseudoTerminal;
}  // namespace zel

namespace zel::bench {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start);

// One result line, "name value", as scripts/bench.sh collects them.
void Report(std::string_view name, double value);

// A settings file of this process's own in the temporary folder, named by `role`.
std::string TemporarySettingsPath(std::string_view role);

// The product on its connection with the Pioneer protocol, the serial port or local UDP port it
// uses, no update check.
struct TerminalSetup {
    std::string product;
    int connection = 0;
    std::string serialPort;
    uint32_t localUdpPort = 0;
};
void WriteSettings(const std::string& path, const TerminalSetup& setup);

// Writes the bytes into the master side in pieces of 64 KiB, waiting while the line is full.
bool Flood(PseudoTerminal& line, std::string_view bytes);

// The bytes waiting unread on a terminal device; -1 when they cannot be asked for.
int WaitingBytes(int fd);

// The longest time the event loop kept a periodic timer waiting beyond its period.
class LatenessProbe {
  public:
    static constexpr int kPeriodMs = 5;

    LatenessProbe();
    double WorstMs() const { return worstMs_; }
    // When the worst stall ended, in milliseconds since the probe started.
    double WorstEndedAtMs() const { return worstEndedAtMs_; }

  private:
    QTimer timer_;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceTick_;
    double worstMs_ = 0;
    double worstEndedAtMs_ = 0;
};

// Whether the log box (if any) shows every byte of the log: it indexes each piece as it is
// appended, so once the log is complete the box is when its pending update has run.
class ViewCatchUp {
  public:
    explicit ViewCatchUp(const LogView* box) : box_(box) {}
    bool Done() const;

  private:
    const LogView* box_;
};

}  // namespace zel::bench
