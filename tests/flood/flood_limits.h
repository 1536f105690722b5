#pragma once
// How much the floods send and what they allow the terminal.
#include <chrono>
#include <cstddef>

namespace zel::test {

// The sanitizer build runs every byte through its checks, many times slower: it sends this
// many times less. The datagrams still fill the log past its limit.
#ifdef ZELTERM_FLOOD_SANITIZED
inline constexpr size_t kVolumeDivisor = 8;
#else
inline constexpr size_t kVolumeDivisor = 1;
#endif

inline constexpr size_t kSerialFloodBytes = (100u << 20) / kVolumeDivisor;
inline constexpr size_t kUdpFloodDatagrams = 1'000'000 / kVolumeDivisor;

// Only a frozen window, not a slow one: the longest the GUI thread may go without its timer.
// Dropping a quarter of a full log from the box is the longest single step; the sanitizer
// build measured up to 5 s for it, the release build under 2 s.
inline constexpr std::chrono::milliseconds kLongestStallAllowed{kVolumeDivisor > 1 ? 15000 : 5000};

// Only a hang: the floods take seconds.
inline constexpr std::chrono::minutes kFloodPatience{4};

}  // namespace zel::test
