#pragma once
// Another process watched from outside: the real zelterm started on a pseudo-terminal, its
// processor time and its memory as /proc tells them.
#include <sys/types.h>

#include <string>

namespace zel::bench {

// A field of /proc/<pid>/status in kilobytes, such as "VmRSS"; -1 when it cannot be read.
double StatusKilobytes(pid_t pid, const std::string& field);
// User and system time the process has used, in clock ticks.
long CpuTicks(pid_t pid);
// Waits until the process has used no processor time for a while.
void WaitUntilIdle(pid_t pid, int patienceMs);

// Starts `program` with that settings file and that serial port as its only one, on the display
// DISPLAY names; -1 when it cannot be started.
pid_t StartTerminal(const char* program, const std::string& settingsPath,
                    const std::string& serialPort);
void StopTerminal(pid_t pid);

}  // namespace zel::bench
