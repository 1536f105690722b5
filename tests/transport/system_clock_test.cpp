#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "services/pc_clock_info.h"
#include "transport/system_clock_posix.h"

namespace zel {

// Internal linkage: other test files may want their own.
static bool operator==(const ZoneChange& a, const ZoneChange& b) {
    return a.month == b.month && a.week == b.week && a.weekday == b.weekday && a.hour == b.hour;
}

static void PrintTo(const ZoneChange& c, std::ostream* out) {
    *out << "{month " << c.month << ", week " << c.week << ", weekday " << c.weekday << ", hour "
         << c.hour << "}";
}

namespace {

// Points the C library at another zone for one test and restores the previous setting.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const std::string& zone) {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (previous_) {
            setenv("TZ", previous_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> previous_;
};

bool ZoneInstalled(const std::string& zone) {
    return std::filesystem::exists("/usr/share/zoneinfo/" + zone);
}

struct ZoneCase {
    const char* zone;
    int32_t bias, daylightBias;
    ZoneChange toDaylight, toStandard;
    int offsetHours;
    bool daylightSaving;
    const char* ruleName;
};

// The rules as they stand in 2026; dates are derived, so any year under the same rules agrees.
const ZoneCase kZones[] = {
    {"America/New_York", 300, -60, {3, 2, 0, 2}, {11, 1, 0, 2}, 5, true, "USA"},
    {"Europe/Berlin", -60, -60, {3, 5, 0, 2}, {10, 5, 0, 3}, -1, true, "Unknown"},
    {"UTC", 0, 0, {}, {}, 0, false, "Unknown"},
    {"Asia/Kolkata", -330, 0, {}, {}, -5, false, "Unknown"},
    {"America/St_Johns", 210, -60, {3, 2, 0, 2}, {11, 1, 0, 2}, 3, true, "USA"},
    // Daylight time starts late in the year and ends early in it.
    {"Australia/Sydney", -600, -60, {10, 1, 0, 2}, {4, 1, 0, 3}, -10, true, "Unknown"},
    // Winter time is flagged as the daylight period in this zone's data.
    {"Europe/Dublin", 0, -60, {3, 5, 0, 1}, {10, 5, 0, 2}, 0, true, "Unknown"},
};

class SystemClockZone : public testing::TestWithParam<ZoneCase> {};

TEST_P(SystemClockZone, DerivesTheZoneRecord) {
    const ZoneCase& c = GetParam();
    if (!ZoneInstalled(c.zone)) GTEST_SKIP() << c.zone << " is not in the zone data";
    ScopedTimeZone tz(c.zone);

    const TimeZoneRecord zone = SystemClock().TimeZoneForYear(2026);

    EXPECT_EQ(zone.biasMinutes, c.bias);
    EXPECT_EQ(zone.daylightBiasMinutes, c.daylightBias);
    EXPECT_EQ(zone.toDaylight, c.toDaylight);
    EXPECT_EQ(zone.toStandard, c.toStandard);
}

TEST_P(SystemClockZone, GivesTheClockFactsOfTheCurrentYear) {
    const ZoneCase& c = GetParam();
    if (!ZoneInstalled(c.zone)) GTEST_SKIP() << c.zone << " is not in the zone data";
    ScopedTimeZone tz(c.zone);

    SystemClock clock;
    PcClockInfo info(clock);

    EXPECT_EQ(info.UtcOffsetHours(), c.offsetHours);
    EXPECT_EQ(info.HasDaylightSaving(), c.daylightSaving);
    EXPECT_EQ(info.DaylightRuleName(), c.ruleName);
}

INSTANTIATE_TEST_SUITE_P(Zones, SystemClockZone, testing::ValuesIn(kZones),
                         [](const testing::TestParamInfo<ZoneCase>& info) {
                             std::string name = info.param.zone;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

time_t AsUtcSeconds(const LocalTime& t) {
    tm broken{};
    broken.tm_year = t.year - 1900;
    broken.tm_mon = t.month - 1;
    broken.tm_mday = t.day;
    broken.tm_hour = t.hour;
    broken.tm_min = t.minute;
    broken.tm_sec = t.second;
    return timegm(&broken);
}

TEST(SystemClockNow, FollowsTheZoneSetAtRunTime) {
    if (!ZoneInstalled("Asia/Kolkata")) GTEST_SKIP() << "Asia/Kolkata is not in the zone data";
    SystemClock clock;
    const time_t before = time(nullptr);
    LocalTime utc, kolkata;
    {
        ScopedTimeZone tz("UTC");
        utc = clock.Now();
    }
    {
        ScopedTimeZone tz("Asia/Kolkata");
        kolkata = clock.Now();
    }
    const time_t after = time(nullptr);

    EXPECT_GE(AsUtcSeconds(utc), before);
    EXPECT_LE(AsUtcSeconds(utc), after);
    const time_t kolkataAhead = AsUtcSeconds(kolkata) - AsUtcSeconds(utc);
    EXPECT_GE(kolkataAhead, 5 * 3600 + 30 * 60);
    EXPECT_LE(kolkataAhead, 5 * 3600 + 30 * 60 + (after - before));
    EXPECT_GE(utc.month, 1);
    EXPECT_LE(utc.month, 12);
}

}  // namespace
}  // namespace zel
