#include "flood/memory_bound.h"

#include <algorithm>

#include "flood/process_memory.h"
#include "services/comm_log.h"

namespace zel::test {

// What a full log may hold resident, in multiples of its limit: its text (twice while it grows
// into a larger buffer), its copy still waiting for the box, and the box's document at two
// bytes a character, whose buffer keeps removed text until half of it is unused (twice again).
constexpr size_t kLogCopies = 2 + 1 + 2 * 2;
// Everything else: the document's line records, allocator slack, the queued events, the Qt and
// thread stacks. The floods measured 150-220 MiB of growth in all. The sanitizer's quarantine
// keeps up to 256 MiB of freed memory resident, and its shadow and redzones add to every block.
#ifdef ZELTERM_FLOOD_SANITIZED
constexpr size_t kFixedMargin = 512 * kMiB;
#else
constexpr size_t kFixedMargin = 64 * kMiB;
#endif
const size_t kFloodMemoryBound = kLogCopies * CommLog::kDefaultLimitBytes + kFixedMargin;

std::string MemoryUse::Describe() const {
    return "resident " + std::to_string(before / kMiB) + " MiB before, peak " +
           std::to_string(peak / kMiB) + " MiB, " + std::to_string(after / kMiB) +
           " MiB after (allowed growth " + std::to_string(kFloodMemoryBound / kMiB) + " MiB)";
}

MemoryBaseline::MemoryBaseline() {
    ResetPeakMemory();
    before_ = ReadProcessMemory().residentBytes;
}

size_t MemoryBaseline::GrowthNow() const {
    const size_t now = ReadProcessMemory().residentBytes;
    return now > before_ ? now - before_ : 0;
}

MemoryUse MemoryBaseline::Measure(const EventLoopWatch& watch) const {
    const ProcessMemory now = ReadProcessMemory();
    return {before_, std::max(now.peakBytes, watch.HighestResidentBytes()), now.residentBytes};
}

}  // namespace zel::test
