#include "transport/system_clock_posix.h"

#include <ctime>
#include <optional>

namespace zel {

namespace {

constexpr time_t kHour = 3600;

struct LocalState {
    long utcOffsetSeconds;
    bool daylight;
    bool operator==(const LocalState&) const = default;
};

LocalState StateAt(time_t when) {
    tm local{};
    localtime_r(&when, &local);
    return {local.tm_gmtoff, local.tm_isdst > 0};
}

time_t StartOfLocalYear(int year) {
    tm start{};
    start.tm_year = year - 1900;
    start.tm_mday = 1;
    start.tm_isdst = -1;
    return mktime(&start);
}

// The first second in (before, after] whose state differs from the state at `before`.
time_t FirstSecondChanged(time_t before, time_t after) {
    const LocalState old = StateAt(before);
    while (after - before > 1) {
        const time_t middle = before + (after - before) / 2;
        if (StateAt(middle) == old) {
            before = middle;
        } else {
            after = middle;
        }
    }
    return after;
}

bool InLastWeekOfMonth(const tm& date) {
    tm nextWeek = date;
    nextWeek.tm_mday += 7;
    timegm(&nextWeek);  // normalises the date
    return nextWeek.tm_mon != date.tm_mon;
}

// A change described by the wall clock just before it, as a rule "n-th weekday of month at hour".
ZoneChange DescribeChange(time_t changeAt, long offsetBefore) {
    const time_t wallClock = changeAt + offsetBefore;
    tm date{};
    gmtime_r(&wallClock, &date);
    const int week = InLastWeekOfMonth(date) ? 5 : (date.tm_mday - 1) / 7 + 1;
    return {date.tm_mon + 1, week, date.tm_wday, date.tm_hour};
}

struct Transition {
    ZoneChange change;
    long offsetAfter;
};

}  // namespace

LocalTime SystemClock::Now() {
    tzset();
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(now.tv_nsec / 1000000)};
}

TimeZoneRecord SystemClock::TimeZone() {
    return TimeZoneForYear(Now().year);
}

TimeZoneRecord SystemClock::TimeZoneForYear(int year) {
    tzset();
    const time_t end = StartOfLocalYear(year + 1);
    std::optional<Transition> toDaylight, toStandard;
    // Hour steps cannot jump over a whole daylight period; the exact second is found afterwards.
    for (time_t step = StartOfLocalYear(year); step < end; step += kHour) {
        const LocalState before = StateAt(step);
        const LocalState after = StateAt(step + kHour);
        // Only daylight switches count; a zone moving its standard offset is not daylight saving.
        if (before.daylight == after.daylight ||
            before.utcOffsetSeconds == after.utcOffsetSeconds) {
            continue;
        }
        const time_t changeAt = FirstSecondChanged(step, step + kHour);
        // Judged by the offset, not the flag, so zones whose winter time is flagged as daylight
        // still come out with the summer offset as daylight time.
        auto& slot = after.utcOffsetSeconds > before.utcOffsetSeconds ? toDaylight : toStandard;
        if (!slot) {
            slot = Transition{DescribeChange(changeAt, before.utcOffsetSeconds),
                              after.utcOffsetSeconds};
        }
    }

    TimeZoneRecord zone;
    if (!toDaylight || !toStandard) {
        // The offset the year ends with is the one in force from then on.
        zone.biasMinutes = static_cast<int32_t>(-StateAt(end - 1).utcOffsetSeconds / 60);
        return zone;
    }
    zone.biasMinutes = static_cast<int32_t>(-toStandard->offsetAfter / 60);
    zone.daylightBiasMinutes =
        static_cast<int32_t>(-(toDaylight->offsetAfter - toStandard->offsetAfter) / 60);
    zone.toDaylight = toDaylight->change;
    zone.toStandard = toStandard->change;
    return zone;
}

}  // namespace zel
