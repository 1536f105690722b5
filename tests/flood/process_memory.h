#pragma once
// The test process's resident memory, as the kernel counts it.
#include <cstddef>

namespace zel::test {

struct ProcessMemory {
    size_t residentBytes = 0;  // VmRSS
    size_t peakBytes = 0;      // VmHWM: the most resident since start or the last reset
};

ProcessMemory ReadProcessMemory();

// Starts VmHWM afresh from the current VmRSS, so a flood's peak is not an earlier test's.
// False where the kernel does not allow it; the peak then covers the whole run.
bool ResetPeakMemory();

}  // namespace zel::test
