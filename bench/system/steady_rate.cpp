// zelterm itself at the rate a real product talks: a pseudo-terminal fed 11,520 bytes/s (115200
// baud) for a while, either one 64-byte reply line per write or the same bytes every 16 ms. The
// figures are the program's processor time as a share of one core (from /proc/<pid>/stat), for
// the first and the last half of the run, and its resident memory before and after. Run it
// under Xvfb; DISPLAY names the display.
// Usage: zelterm_steady_rate [SECONDS] [RUNS]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "device_replies.h"
#include "process_probe.h"
#include "products/protocol_info.h"
#include "transport/pseudo_terminal.h"

namespace zel::bench {
namespace {

constexpr double kBytesPerSecond = 11520;
constexpr size_t kLineBytes = 64;
constexpr auto kChunkPeriod = std::chrono::milliseconds(16);

enum class Pacing { LinePerWrite, Chunks };

struct SteadyRun {
    double firstHalfPercent = -1;
    double lastHalfPercent = -1;
    double wholePercent = -1;
    double idleRssMb = -1;
    double afterRssMb = -1;
    double megabytes = 0;
};

// Writes `replies` at the steady rate for `run`, calling `halfway` once half of it has passed.
void Feed(PseudoTerminal& line, const std::string& replies, Pacing pacing, Clock::duration run,
          const std::function<void()>& halfway) {
    const auto start = Clock::now();
    const Clock::duration period =
        pacing == Pacing::LinePerWrite
            ? std::chrono::duration_cast<Clock::duration>(
                  std::chrono::duration<double>(kLineBytes / kBytesPerSecond))
            : std::chrono::duration_cast<Clock::duration>(kChunkPeriod);
    size_t written = 0;
    bool halfwayTold = false;
    for (auto next = start + period; next <= start + run; next += period) {
        std::this_thread::sleep_until(next);
        if (!halfwayTold && next - start >= run / 2) {
            halfway();
            halfwayTold = true;
        }
        const double seconds = std::chrono::duration<double>(next - start).count();
        const size_t due = std::min(replies.size(), static_cast<size_t>(seconds * kBytesPerSecond));
        const size_t upTo = pacing == Pacing::LinePerWrite ? written + kLineBytes : due;
        if (upTo > written &&
            !line.Write(std::string_view(replies).substr(written, upTo - written)))
            return;
        written = upTo;
    }
}

SteadyRun RunOnce(Pacing pacing, double seconds) {
    SteadyRun result;
    PseudoTerminal line;
    if (!line.IsOpen()) return result;
    const std::string settingsPath = TemporarySettingsPath("steady");
    WriteSettings(settingsPath, {"Korvex", kSerial, line.SlavePath(), 0});
    const pid_t pid = StartTerminal(ZELTERM_PATH, settingsPath, line.SlavePath());
    if (pid <= 0) return result;
    std::this_thread::sleep_for(std::chrono::seconds(1));
    WaitUntilIdle(pid, 10000);
    result.idleRssMb = StatusKilobytes(pid, "VmRSS") / 1024;

    const auto run =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    const std::string replies =
        DeviceReplies(static_cast<size_t>(seconds * kBytesPerSecond) + kLineBytes);
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    const long startTicks = CpuTicks(pid);
    long halfTicks = startTicks;
    Feed(line, replies, pacing, run, [&] { halfTicks = CpuTicks(pid); });
    const long endTicks = CpuTicks(pid);
    const auto percent = [&](long ticks, double over) {
        return 100.0 * ticks / ticksPerSecond / over;
    };
    result.firstHalfPercent = percent(halfTicks - startTicks, seconds / 2);
    result.lastHalfPercent = percent(endTicks - halfTicks, seconds / 2);
    result.wholePercent = percent(endTicks - startTicks, seconds);
    result.megabytes = seconds * kBytesPerSecond / (1 << 20);
    WaitUntilIdle(pid, 10000);
    result.afterRssMb = StatusKilobytes(pid, "VmRSS") / 1024;
    StopTerminal(pid);
    std::filesystem::remove(settingsPath);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void Measure(Pacing pacing, std::string_view name, double seconds, int runs) {
    std::vector<SteadyRun> results;
    for (int run = 0; run < runs; ++run) {
        results.push_back(RunOnce(pacing, seconds));
        const SteadyRun& r = results.back();
        std::fprintf(stderr,
                     "%.*s run %d: %.2f %% (first half %.2f, last half %.2f), %.1f -> %.1f MB\n",
                     static_cast<int>(name.size()), name.data(), run + 1, r.wholePercent,
                     r.firstHalfPercent, r.lastHalfPercent, r.idleRssMb, r.afterRssMb);
    }
    const auto median = [&](double SteadyRun::*field) {
        std::vector<double> values;
        for (const SteadyRun& r : results) values.push_back(r.*field);
        return Median(values);
    };
    const std::string prefix = "steady_" + std::string(name) + "_";
    Report(prefix + "cpu_pct", median(&SteadyRun::wholePercent));
    Report(prefix + "cpu_first_pct", median(&SteadyRun::firstHalfPercent));
    Report(prefix + "cpu_last_pct", median(&SteadyRun::lastHalfPercent));
    Report(prefix + "idle_rss_mb", median(&SteadyRun::idleRssMb));
    Report(prefix + "after_rss_mb", median(&SteadyRun::afterRssMb));
    Report(prefix + "megabytes", results.empty() ? -1 : results.front().megabytes);
    std::vector<double> all;
    for (const SteadyRun& r : results) all.push_back(r.wholePercent);
    Report(prefix + "cpu_min_pct", *std::min_element(all.begin(), all.end()));
    Report(prefix + "cpu_max_pct", *std::max_element(all.begin(), all.end()));
}

}  // namespace
}  // namespace zel::bench

int main(int argc, char** argv) {
    using namespace zel::bench;
    const double seconds = argc > 1 ? std::max(2.0, std::atof(argv[1])) : 20;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (!getenv("DISPLAY")) {
        std::fputs("zelterm_steady_rate: no X display (run it under Xvfb)\n", stderr);
        return 1;
    }
    Report("steady_seconds", seconds);
    Report("steady_runs", runs);
    Measure(Pacing::LinePerWrite, "line", seconds, runs);
    Measure(Pacing::Chunks, "chunk", seconds, runs);
    return 0;
}
