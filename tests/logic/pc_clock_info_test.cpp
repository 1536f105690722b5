#include "services/pc_clock_info.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace zel {
namespace {

TEST(PcClockInfoFormat, DateAndTimeInTheProductsFixedForms) {
    test::FakeClock clock;
    clock.now = {2026, 3, 7, 9, 5, 3};
    PcClockInfo info(clock);

    EXPECT_EQ(info.FormatDateDotted(), "03.07.2026");
    EXPECT_EQ(info.FormatDateSlashed(), "03/07/2026");
    EXPECT_EQ(info.FormatTime(), "09:05:03");
}

TEST(PcClockInfoFormat, EachFormatReadsTheClockAfresh) {
    test::FakeClock clock;
    PcClockInfo info(clock);
    clock.now = {2026, 12, 31, 23, 59, 58};
    EXPECT_EQ(info.FormatTime(), "23:59:58");
    clock.now = {2027, 1, 1, 0, 0, 1};
    EXPECT_EQ(info.FormatDateDotted(), "01.01.2027");
    EXPECT_EQ(info.LastRead().second, 1);
    EXPECT_EQ(info.FormatTime(), "00:00:01");
}

TEST(PcClockInfoOffset, WholeHoursWestPositiveHalfHoursDropped) {
    const struct {
        int32_t biasMinutes;
        int8_t hours;
    } cases[] = {{0, 0}, {300, 5}, {-330, -5}, {210, 3}, {-60, -1}, {-345, -5}, {720, 12}};
    test::FakeClock clock;
    PcClockInfo info(clock);
    for (const auto& c : cases) {
        clock.zone.biasMinutes = c.biasMinutes;
        EXPECT_EQ(info.UtcOffsetHours(), c.hours) << "bias " << c.biasMinutes;
    }
}

TEST(PcClockInfoDaylight, AnySingleRuleFieldMeansDaylightSaving) {
    EXPECT_FALSE(HasDaylightSaving(TimeZoneRecord{}));
    TimeZoneRecord standardOnly;
    standardOnly.biasMinutes = 300;
    EXPECT_FALSE(HasDaylightSaving(standardOnly));

    TimeZoneRecord biasOnly;
    biasOnly.daylightBiasMinutes = -60;
    EXPECT_TRUE(HasDaylightSaving(biasOnly));

    int ZoneChange::*const changeFields[] = {&ZoneChange::month, &ZoneChange::week,
                                             &ZoneChange::weekday, &ZoneChange::hour};
    for (auto change : {&TimeZoneRecord::toDaylight, &TimeZoneRecord::toStandard}) {
        for (auto field : changeFields) {
            TimeZoneRecord zone;
            (zone.*change).*field = 1;
            EXPECT_TRUE(HasDaylightSaving(zone));
        }
    }
}

TEST(PcClockInfoDaylight, RuleNamesInTheirTestOrder) {
    const struct {
        const char* what;
        ZoneChange toDaylight, toStandard;
        const char* name;
    } cases[] = {
        {"standard in March, daylight in October", {10, 1, 0, 2}, {3, 5, 0, 3}, "UTC"},
        // The first rule wins even when the hours would also fit a later one.
        {"March/October ahead of the USA hours", {10, 1, 0, 2}, {3, 2, 0, 2}, "UTC"},
        {"USA since 2007", {3, 2, 0, 2}, {11, 1, 0, 2}, "USA"},
        {"USA before 2007", {4, 1, 0, 2}, {10, 5, 0, 2}, "USA"},
        {"old USA dates but standard change at 3", {4, 1, 0, 2}, {10, 5, 0, 3}, "Unknown"},
        {"USA 2007 dates but daylight change at 1", {3, 2, 0, 1}, {11, 1, 0, 2}, "Unknown"},
        {"USA 2007 daylight but standard in October", {3, 2, 0, 2}, {10, 1, 0, 2}, "Unknown"},
        {"Europe", {3, 5, 0, 2}, {10, 5, 0, 3}, "Unknown"},
        {"southern hemisphere", {10, 1, 0, 2}, {4, 1, 0, 3}, "Unknown"},
        {"no daylight saving", {}, {}, "Unknown"},
    };
    for (const auto& c : cases) {
        TimeZoneRecord zone;
        zone.daylightBiasMinutes = -60;
        zone.toDaylight = c.toDaylight;
        zone.toStandard = c.toStandard;
        EXPECT_EQ(DaylightRuleName(zone), c.name) << c.what;
    }
}

TEST(PcClockInfoDaylight, ObjectReadsTheZoneFromTheClock) {
    test::FakeClock clock;
    PcClockInfo info(clock);
    EXPECT_FALSE(info.HasDaylightSaving());
    EXPECT_EQ(info.DaylightRuleName(), "Unknown");

    clock.zone = {300, -60, {11, 1, 0, 2}, {3, 2, 0, 2}};
    EXPECT_TRUE(info.HasDaylightSaving());
    EXPECT_EQ(info.DaylightRuleName(), "USA");
    EXPECT_EQ(info.UtcOffsetHours(), 5);
}

}  // namespace
}  // namespace zel
