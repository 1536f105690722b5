#include "flood/process_memory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace zel::test {

ProcessMemory ReadProcessMemory() {
    ProcessMemory memory;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        std::istringstream fields(line);
        std::string name;
        size_t kibibytes = 0;
        fields >> name >> kibibytes;
        if (name == "VmRSS:") memory.residentBytes = kibibytes * 1024;
        if (name == "VmHWM:") memory.peakBytes = kibibytes * 1024;
    }
    return memory;
}

bool ResetPeakMemory() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";  // resets the peak resident set size
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

}  // namespace zel::test
