#include "process_probe.h"

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "bench_support.h"

extern char** environ;

namespace zel::bench {

double StatusKilobytes(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1);
    }
    return -1;
}

long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t afterName = text.rfind(')');
    if (afterName == std::string::npos) return -1;
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) utime = std::atol(field.c_str());
        if (index == 15) {
            stime = std::atol(field.c_str());
            break;
        }
    }
    return utime + stime;
}

void WaitUntilIdle(pid_t pid, int patienceMs) {
    const auto start = Clock::now();
    long before = CpuTicks(pid);
    while (MillisecondsSince(start) < patienceMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const long now = CpuTicks(pid);
        if (now == before) return;
        before = now;
    }
}

pid_t StartTerminal(const char* program, const std::string& settingsPath,
                    const std::string& serialPort) {
    setenv("ZELTERM_SETTINGS", settingsPath.c_str(), 1);
    setenv("ZELTERM_SERIAL_PORTS", serialPort.c_str(), 1);
    unsetenv("QT_QPA_PLATFORM");
    std::string path = program;
    char* arguments[] = {path.data(), nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, path.c_str(), nullptr, nullptr, arguments, environ) == 0 ? pid : -1;
}

void StopTerminal(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

}  // namespace zel::bench
