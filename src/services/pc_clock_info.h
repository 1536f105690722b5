#pragma once
// The PC's date, time and time-zone facts in the forms the products expect.
#include <cstdint>
#include <string>

#include "transport/system_clock.h"

namespace zel {

class PcClockInfo {
  public:
    explicit PcClockInfo(ISystemClock& clock) : clock_(clock) {}

    // Each reads the clock once and remembers the time read.
    std::string FormatDateDotted();   // "%02i.%02i.%04i" month, day, year
    std::string FormatDateSlashed();  // "%02i/%02i/%04i"
    std::string FormatTime();         // "%02i:%02i:%02i"

    int8_t UtcOffsetHours();  // positive west of UTC, half hours dropped
    bool HasDaylightSaving();
    std::string DaylightRuleName();  // "UTC", "USA" or "Unknown"

    const LocalTime& LastRead() const { return last_; }
    ISystemClock& Clock() const { return clock_; }

  private:
    ISystemClock& clock_;
    LocalTime last_;
};

// The facts above from a given record, for callers and tests that hold one.
bool HasDaylightSaving(const TimeZoneRecord& zone);
std::string DaylightRuleName(const TimeZoneRecord& zone);

}  // namespace zel
