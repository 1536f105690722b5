#pragma once
// The PC's local clock and time-zone facts.
#include <cstdint>

namespace zel {

struct LocalTime {
    int year = 0, month = 0, day = 0;  // month 1-12
    int hour = 0, minute = 0, second = 0;
    int millisecond = 0;
};

// One change between standard and daylight time. week: 1-4, or 5 for "last" in the month;
// weekday: 0 Sunday .. 6 Saturday. All zero when the zone has no such change.
struct ZoneChange {
    int month = 0, week = 0, weekday = 0, hour = 0;
};

struct TimeZoneRecord {
    int32_t biasMinutes = 0;          // UTC minus standard local time
    int32_t daylightBiasMinutes = 0;  // added to the bias while daylight time applies (-60)
    ZoneChange toStandard;
    ZoneChange toDaylight;
};

class ISystemClock {
  public:
    virtual ~ISystemClock() = default;
    virtual LocalTime Now() = 0;
    // The rules in force for the current year.
    virtual TimeZoneRecord TimeZone() = 0;
};

}  // namespace zel
