#pragma once
// The memory a flood may cost: what the log holds at most, in its own text and in the box that
// shows it, plus a fixed margin for everything else that grows under load.
#include <cstddef>
#include <string>

#include "flood/event_loop_watch.h"

namespace zel::test {

inline constexpr size_t kMiB = 1024 * 1024;
extern const size_t kFloodMemoryBound;

struct MemoryUse {
    size_t before = 0;  // resident when the flood began
    size_t peak = 0;    // the most resident while it ran
    size_t after = 0;   // resident when it was over

    bool WithinBound() const { return peak <= before + kFloodMemoryBound; }
    std::string Describe() const;
};

// Taken before a flood; resets the kernel's peak so that it counts this flood only.
class MemoryBaseline {
  public:
    MemoryBaseline();
    MemoryUse Measure(const EventLoopWatch& watch) const;
    // How much more is resident now than at the start.
    size_t GrowthNow() const;

  private:
    size_t before_ = 0;
};

}  // namespace zel::test
