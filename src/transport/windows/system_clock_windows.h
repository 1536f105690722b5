#pragma once
// The PC's clock and time-zone record from Windows itself.
#include "transport/system_clock.h"

namespace zel {

class SystemClock : public ISystemClock {
  public:
    LocalTime Now() override;
    // The record Windows keeps for the zone, as it stands this year.
    TimeZoneRecord TimeZone() override;
};

}  // namespace zel
