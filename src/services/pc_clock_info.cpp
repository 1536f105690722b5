#include "services/pc_clock_info.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace zel {

namespace {

// The products' date and time forms are all three numbers in a fixed pattern.
std::string FormatThree(const char* pattern, int first, int second, int third) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), pattern, first, second, third);
    return text.data();
}

struct NamedRule {
    std::function<bool(const TimeZoneRecord&)> matches;
    const char* name;
};

// Checked in this order; the first match names the zone.
const std::array<NamedRule, 3> kDaylightRules{{
    {[](const TimeZoneRecord& z) { return z.toStandard.month == 3 && z.toDaylight.month == 10; },
     "UTC"},
    // United States before 2007: first Sunday of April.
    {[](const TimeZoneRecord& z) {
         return z.toDaylight.week == 1 && z.toDaylight.month == 4 && z.toDaylight.hour == 2 &&
                z.toStandard.hour == 2;
     },
     "USA"},
    // United States since 2007: second Sunday of March to November.
    {[](const TimeZoneRecord& z) {
         return z.toDaylight.week == 2 && z.toDaylight.month == 3 && z.toDaylight.hour == 2 &&
                z.toStandard.month == 11 && z.toStandard.hour == 2;
     },
     "USA"},
}};

}  // namespace

std::string PcClockInfo::FormatDateDotted() {
    last_ = clock_.Now();
    return FormatThree("%02i.%02i.%04i", last_.month, last_.day, last_.year);
}

std::string PcClockInfo::FormatDateSlashed() {
    last_ = clock_.Now();
    return FormatThree("%02i/%02i/%04i", last_.month, last_.day, last_.year);
}

std::string PcClockInfo::FormatTime() {
    last_ = clock_.Now();
    return FormatThree("%02i:%02i:%02i", last_.hour, last_.minute, last_.second);
}

int8_t PcClockInfo::UtcOffsetHours() {
    // Integer division truncates toward zero, which drops half-hour offsets as intended.
    return static_cast<int8_t>(clock_.TimeZone().biasMinutes / 60);
}

bool PcClockInfo::HasDaylightSaving() {
    return zel::HasDaylightSaving(clock_.TimeZone());
}

std::string PcClockInfo::DaylightRuleName() {
    return zel::DaylightRuleName(clock_.TimeZone());
}

bool HasDaylightSaving(const TimeZoneRecord& zone) {
    const std::array fields{
        zone.daylightBiasMinutes, zone.toDaylight.week,  zone.toDaylight.weekday,
        zone.toDaylight.hour,     zone.toDaylight.month, zone.toStandard.week,
        zone.toStandard.weekday,  zone.toStandard.hour,  zone.toStandard.month,
    };
    return std::ranges::any_of(fields, [](int field) { return field != 0; });
}

std::string DaylightRuleName(const TimeZoneRecord& zone) {
    for (const NamedRule& rule : kDaylightRules) {
        if (rule.matches(zone)) return rule.name;
    }
    return "Unknown";
}

}  // namespace zel
