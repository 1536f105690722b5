// A rack of products at once: 50 Korvex played by one zelsim on loopback, each asked for its
// version with an expect by `zelctl run --devices`, against one device alone. Prints the wall
// times, their ratio (the target is at most 2) and the run's peak memory (the target is below
// 200 MB).
// Usage: zelterm_rack_run [DEVICES]   (default 50)
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

using namespace zel::bench;

constexpr int kFirstSimPort = 3300;
constexpr int kFirstLocalPort = 4300;

struct Finished {
    int status = -1;
    double ms = 0;
    double peakMegabytes = 0;
};

// Starts the program with its standard output on `output`, or nowhere.
pid_t Start(const std::vector<std::string>& arguments, int output = -1) {
    const pid_t child = fork();
    if (child == 0) {
        if (output < 0) {
            std::freopen("/dev/null", "w", stdout);
        } else {
            dup2(output, STDOUT_FILENO);
        }
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

Finished Run(const std::vector<std::string>& arguments) {
    const auto started = Clock::now();
    const pid_t child = Start(arguments);
    Finished finished;
    rusage usage{};
    int status = 0;
    wait4(child, &status, 0, &usage);
    finished.ms = MillisecondsSince(started);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    finished.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024;
    return finished;
}

}  // namespace

int main(int argc, char** argv) {
    const int devices = argc > 1 ? std::atoi(argv[1]) : 50;
    const auto dir =
        std::filesystem::temp_directory_path() / ("zelterm-bench-rack-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    setenv("ZELTERM_SETTINGS", (dir / "ZelTerm.conf").c_str(), 1);
    setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-bench-rack", 1);
    {
        std::ofstream sheet(dir / "rack.csv");
        for (int i = 0; i < devices; ++i) {
            sheet << "Rack " << i << ",Korvex,ethernet,127.0.0.1," << kFirstLocalPort + i << "/"
                  << kFirstSimPort + i << ",,\n";
        }
        std::ofstream(dir / "version.zel") << "send '\"?V\" h0D'\nexpect 'V[0-9.]+' 2000\n";
    }
    int announced[2];
    if (pipe(announced) != 0) return 1;
    const pid_t sim =
        Start({ZELSIM_PATH, "--udp",
               std::to_string(kFirstSimPort) + "-" + std::to_string(kFirstSimPort + devices - 1)},
              announced[1]);
    close(announced[1]);
    // Every port is bound once the simulator has announced each.
    FILE* ports = fdopen(announced[0], "r");
    char line[128];
    for (int i = 0; i < devices && std::fgets(line, sizeof line, ports); ++i) {
    }
    const std::string sheet = (dir / "rack.csv").string();
    const std::string script = (dir / "version.zel").string();
    {
        std::ofstream first(dir / "one.csv");
        first << "Rack 0,Korvex,ethernet,127.0.0.1," << kFirstLocalPort << "/" << kFirstSimPort
              << ",,\n";
    }
    const Finished single =
        Run({ZELCTL_PATH, "run", "--devices", (dir / "one.csv").string(), script});
    const Finished alone = Run({ZELCTL_PATH, "run", "--devices", sheet, "--jobs", "1", script});
    const Finished rack =
        Run({ZELCTL_PATH, "run", "--devices", sheet, "--jobs", std::to_string(devices), script});
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    std::fclose(ports);
    std::filesystem::remove_all(dir);

    Report("rack_one_device_ms", single.ms);
    Report("rack_devices", devices);
    Report("rack_all_devices_ms", rack.ms);
    Report("rack_all_one_at_a_time_ms", alone.ms);
    Report("rack_ratio_to_one_device", rack.ms / single.ms);
    Report("rack_peak_megabytes", rack.peakMegabytes);
    Report("rack_failed_status", rack.status);
    return rack.status == 0 && single.status == 0 ? 0 : 1;
}
