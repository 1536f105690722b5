#pragma once
// The PC's clock and time-zone rules from the C library's local time (honours TZ).
#include "transport/system_clock.h"

namespace zel {

class SystemClock : public ISystemClock {
  public:
    LocalTime Now() override;
    // The rules of the current local year.
    TimeZoneRecord TimeZone() override;
    // The rules as they stand in the given year, found by watching the local offset change.
    TimeZoneRecord TimeZoneForYear(int year);
};

}  // namespace zel
