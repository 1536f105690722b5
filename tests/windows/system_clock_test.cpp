// The clock reads Windows' own record; under wine that follows the TZ the test runs with.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "transport/windows/system_clock_windows.h"

namespace zel {
namespace {

TEST(SystemClock, NowIsTheLocalTimeWindowsReports) {
    SystemClock clock;
    SYSTEMTIME before{};
    GetLocalTime(&before);
    LocalTime now = clock.Now();
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_EQ(now.month, before.wMonth);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.hour, 23);
}

TEST(SystemClock, TheUnitedStatesRulesComeOutAsTheRecordNamesThem) {
    const char* zone = std::getenv("TZ");
    if (!zone || std::string(zone) != "America/New_York")
        GTEST_SKIP() << "run with TZ=America/New_York";
    TimeZoneRecord record = SystemClock().TimeZone();
    EXPECT_EQ(record.biasMinutes, 300);
    EXPECT_EQ(record.daylightBiasMinutes, -60);
    // Second Sunday of March to first Sunday of November, both at 02:00.
    EXPECT_EQ(record.toDaylight.month, 3);
    EXPECT_EQ(record.toDaylight.week, 2);
    EXPECT_EQ(record.toDaylight.weekday, 0);
    EXPECT_EQ(record.toDaylight.hour, 2);
    EXPECT_EQ(record.toStandard.month, 11);
    EXPECT_EQ(record.toStandard.week, 1);
    EXPECT_EQ(record.toStandard.hour, 2);
}

}  // namespace
}  // namespace zel
