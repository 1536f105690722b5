#pragma once
// Breaks and receive errors as the serial driver counts them, turned into the event bits and
// line error flags the terminal has always received.
#include <cstdint>
#include <optional>

namespace zel {

namespace line_error {
inline constexpr uint32_t kReceiveBufferOverrun = 0x0001;
inline constexpr uint32_t kHardwareOverrun = 0x0002;
inline constexpr uint32_t kParity = 0x0004;
inline constexpr uint32_t kFraming = 0x0008;
inline constexpr uint32_t kBreak = 0x0010;
}  // namespace line_error

struct LineErrorCounts {
    int breaks = 0;
    int framing = 0;
    int parity = 0;
    int hardwareOverruns = 0;
    int bufferOverruns = 0;
};

struct LineErrorReport {
    uint32_t events = 0;  // serial_event::kBreak, serial_event::kLineError
    uint32_t errors = 0;  // line_error flags
};

// Empty for drivers that keep no counters (pseudo-terminals among them).
std::optional<LineErrorCounts> ReadLineErrorCounts(int fd);

LineErrorReport CompareLineErrorCounts(const LineErrorCounts& before, const LineErrorCounts& after);

}  // namespace zel
