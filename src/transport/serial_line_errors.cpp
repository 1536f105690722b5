#include "transport/serial_line_errors.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include "transport/serial_port.h"

namespace zel {

namespace {

struct CounterMeaning {
    int LineErrorCounts::*counter;
    uint32_t event;
    uint32_t error;
};
constexpr CounterMeaning kMeanings[] = {
    {&LineErrorCounts::breaks, serial_event::kBreak, line_error::kBreak},
    {&LineErrorCounts::framing, serial_event::kLineError, line_error::kFraming},
    {&LineErrorCounts::parity, serial_event::kLineError, line_error::kParity},
    {&LineErrorCounts::hardwareOverruns, serial_event::kLineError, line_error::kHardwareOverrun},
    {&LineErrorCounts::bufferOverruns, serial_event::kLineError, line_error::kReceiveBufferOverrun},
};

}  // namespace

std::optional<LineErrorCounts> ReadLineErrorCounts(int fd) {
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0) return std::nullopt;
    return LineErrorCounts{counts.brk, counts.frame, counts.parity, counts.overrun,
                           counts.buf_overrun};
}

LineErrorReport CompareLineErrorCounts(const LineErrorCounts& before,
                                       const LineErrorCounts& after) {
    LineErrorReport report;
    for (const auto& meaning : kMeanings) {
        if (after.*meaning.counter == before.*meaning.counter) continue;
        report.events |= meaning.event;
        report.errors |= meaning.error;
    }
    return report;
}

}  // namespace zel
