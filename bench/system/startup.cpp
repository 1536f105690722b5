// zelterm itself on an X display without a window manager: the time from starting the program
// to its main window being mapped, and its memory (VmRSS, VmHWM) when idle and after a flood
// on its serial port. Run it under Xvfb; DISPLAY names the display.
// Usage: zelterm_startup [RUNS] [FLOOD_MEGABYTES]
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "device_replies.h"
#include "process_probe.h"
#include "products/protocol_info.h"
#include "transport/pseudo_terminal.h"

extern char** environ;

namespace zel::bench {
namespace {

constexpr int kMapPatienceMs = 30000;
constexpr int kSettleMs = 2000;

// Told of every top-level window mapped on the display.
class MapWatcher {
  public:
    MapWatcher() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) return;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        usable_ = true;
    }
    ~MapWatcher() { xcb_disconnect(connection_); }
    bool Usable() const { return usable_; }

    // Waits for a window that is not a pop-up to be mapped.
    bool WaitForMap(int patienceMs) {
        const auto start = Clock::now();
        while (MillisecondsSince(start) < patienceMs) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped =
                    (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
                std::free(event);
                if (mapped) return true;
            }
            pollfd ready{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&ready, 1, 10);
        }
        return false;
    }

  private:
    xcb_connection_t* connection_;
    bool usable_ = false;
};

// The part of start-up before the program does anything: loading and linking its libraries.
double VersionOnlyMs() {
    char program[] = ZELTERM_PATH;
    char version[] = "--version";
    char* arguments[] = {program, version, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    waitpid(pid, nullptr, 0);
    return MillisecondsSince(start);
}

struct Memory {
    double idleRssKb = -1, idlePeakKb = -1, floodPeakKb = -1, afterFloodRssKb = -1;
};

// One start: the time to the window, and with a flood the memory figures as well.
std::optional<double> StartOnce(MapWatcher& watcher, const std::string* flood, Memory* memory) {
    PseudoTerminal line;
    const std::string settingsPath = TemporarySettingsPath("startup");
    WriteSettings(settingsPath, {"Korvex", kSerial, line.SlavePath(), 0});
    const auto start = Clock::now();
    const pid_t pid = StartTerminal(ZELTERM_PATH, settingsPath, line.SlavePath());
    std::optional<double> mappedMs;
    if (pid > 0 && watcher.WaitForMap(kMapPatienceMs)) mappedMs = MillisecondsSince(start);
    if (mappedMs && flood && memory) {
        WaitUntilIdle(pid, 10000);
        memory->idleRssKb = StatusKilobytes(pid, "VmRSS");
        memory->idlePeakKb = StatusKilobytes(pid, "VmHWM");
        std::thread writer([&] { Flood(line, *flood); });
        writer.join();
        std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
        WaitUntilIdle(pid, 300000);
        memory->floodPeakKb = StatusKilobytes(pid, "VmHWM");
        memory->afterFloodRssKb = StatusKilobytes(pid, "VmRSS");
    }
    if (pid > 0) StopTerminal(pid);
    std::filesystem::remove(settingsPath);
    return mappedMs;
}

}  // namespace
}  // namespace zel::bench

int main(int argc, char** argv) {
    using namespace zel::bench;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const double megabytes = argc > 2 ? std::atof(argv[2]) : 10;
    MapWatcher watcher;
    if (!watcher.Usable()) {
        std::fputs("zelterm_startup: no X display (run it under Xvfb)\n", stderr);
        return 1;
    }
    const std::string flood = DeviceReplies(static_cast<size_t>(megabytes * (1 << 20)));
    std::vector<double> mappedMs;
    Memory memory;
    for (int run = 0; run < runs; ++run) {
        const bool last = run + 1 == runs;
        auto ms = StartOnce(watcher, last ? &flood : nullptr, last ? &memory : nullptr);
        if (!ms) {
            std::fputs("zelterm_startup: the window was not mapped\n", stderr);
            return 1;
        }
        mappedMs.push_back(*ms);
    }
    Report("startup_first_ms", mappedMs.front());
    std::sort(mappedMs.begin(), mappedMs.end());
    Report("startup_runs", runs);
    Report("startup_median_ms", mappedMs[mappedMs.size() / 2]);
    Report("startup_worst_ms", mappedMs.back());
    std::vector<double> versionMs;
    for (int run = 0; run < runs; ++run) versionMs.push_back(VersionOnlyMs());
    std::sort(versionMs.begin(), versionMs.end());
    Report("startup_version_only_median_ms", versionMs[versionMs.size() / 2]);
    Report("memory_idle_rss_mb", memory.idleRssKb / 1024);
    Report("memory_idle_peak_mb", memory.idlePeakKb / 1024);
    Report("memory_flood_megabytes", megabytes);
    Report("memory_flood_peak_mb", memory.floodPeakKb / 1024);
    Report("memory_after_flood_rss_mb", memory.afterFloodRssKb / 1024);
    return 0;
}
