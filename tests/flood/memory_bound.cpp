#include "flood/memory_bound.h"

#include <algorithm>

#include "flood/process_memory.h"
#include "terminal/comm_log.h"

namespace zel::test {

// The log's text, its copy still waiting for the box, and the box's document at two bytes a
// character: four times the log's limit. The fixed margin covers the document's line records,
// allocator slack and the queued events (a serial flood of 100 MiB measured 166 MiB of
// growth). The sanitizer's quarantine keeps up to 256 MiB of freed memory resident, and its
// shadow and redzones add to every block.
#ifdef ZELTERM_FLOOD_SANITIZED
constexpr size_t kFixedMargin = 512 * kMiB;
#else
constexpr size_t kFixedMargin = 96 * kMiB;
#endif
const size_t kFloodMemoryBound = 4 * CommLog::kDefaultLimitBytes + kFixedMargin;

std::string MemoryUse::Describe() const {
    return "resident " + std::to_string(before / kMiB) + " MiB before, peak " +
           std::to_string(peak / kMiB) + " MiB, " + std::to_string(after / kMiB) +
           " MiB after (allowed growth " + std::to_string(kFloodMemoryBound / kMiB) + " MiB)";
}

MemoryBaseline::MemoryBaseline() {
    ResetPeakMemory();
    before_ = ReadProcessMemory().residentBytes;
}

MemoryUse MemoryBaseline::Measure(const EventLoopWatch& watch) const {
    const ProcessMemory now = ReadProcessMemory();
    return {before_, std::max(now.peakBytes, watch.HighestResidentBytes()), now.residentBytes};
}

}  // namespace zel::test
