#include "transport/windows/system_clock_windows.h"

#include <windows.h>

namespace zel {

namespace {

// The record's change date: month, week of the month (5 = last), weekday and hour.
ZoneChange ChangeOf(const SYSTEMTIME& date) {
    return {date.wMonth, date.wDay, date.wDayOfWeek, date.wHour};
}

}  // namespace

LocalTime SystemClock::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

TimeZoneRecord SystemClock::TimeZone() {
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
    return {int32_t(zone.Bias), int32_t(zone.DaylightBias), ChangeOf(zone.StandardDate),
            ChangeOf(zone.DaylightDate)};
}

}  // namespace zel
