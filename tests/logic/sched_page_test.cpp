// The Date/Time tab as an operator uses it: Get reads a setting, Set writes a typed value or the
// PC's own, in the spelling of the product.
#include "pages/common/sched_page.h"

#include <gtest/gtest.h>

#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;
using Sent = std::vector<FakePageHost::Sent>;

// United States rules: second Sunday of March to first Sunday of November, at 02:00.
TimeZoneRecord UnitedStatesEastern() {
    TimeZoneRecord zone;
    zone.biasMinutes = 300;
    zone.daylightBiasMinutes = -60;
    zone.toDaylight = {3, 2, 0, 2};
    zone.toStandard = {11, 1, 0, 2};
    return zone;
}

TimeZoneRecord CentralEuropean() {
    TimeZoneRecord zone;
    zone.biasMinutes = -60;
    zone.daylightBiasMinutes = -60;
    zone.toDaylight = {10, 5, 0, 2};  // the rule set the products call UTC
    zone.toStandard = {3, 5, 0, 3};
    return zone;
}

const std::string kDate = "Date/Time/";
const std::string kNtp = "Network Time Protocol (NTP)/";

class SchedPageTest : public ::testing::Test {
  protected:
    SchedPageTest() { host.clock.now = {2026, 3, 7, 14, 5, 9}; }

    // Opens the page for a product as the sheet does: hand-over, then a new window.
    void Open(const std::string& product, bool setMode = true, bool usePc = false) {
        page.Destroy();
        ProductInfo* info = FindProduct(catalog, product);
        ASSERT_NE(info, nullptr) << product;
        page.SetProduct(info);
        page.Create();
        ASSERT_EQ(PressPath(page, setMode ? "Configuration/Set" : "Configuration/Get"),
                  ActionResult::Done);
        // The tick can only be changed in Set mode, and only where the product keeps time.
        if (setMode && At(kDate + "Use PC Settings").enabled) {
            Type(kDate + "Use PC Settings", usePc ? "1" : "0");
        }
    }
    const Control& At(const std::string& path) { return page.At(*page.Find(path)); }
    void Type(const std::string& path, const std::string& value) {
        ASSERT_EQ(SetPath(page, path, value), ActionResult::Done) << path;
    }
    Sent PressAndCollect(const std::string& path) {
        host.sent.clear();
        EXPECT_EQ(PressPath(page, path), ActionResult::Done) << path;
        return host.sent;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CSchedTabDlg page{host};
};

TEST_F(SchedPageTest, TheWindowOpensWithThePcsSettingsAndTheUsualLocation) {
    struct Case {
        std::string name;
        TimeZoneRecord zone;
        std::string dstEnable, dstType, timezone;
    };
    TimeZoneRecord india;
    india.biasMinutes = -330;  // the half hour is dropped
    const Case cases[] = {
        {"eastern US", UnitedStatesEastern(), "On", "USA", "-05"},
        {"UTC", TimeZoneRecord{}, "Off", "USA", "0 (GMT)"},
        {"central Europe", CentralEuropean(), "On", "UTC", "+01"},
        {"India", india, "Off", "USA", "+05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.clock.zone = c.zone;
        Open("Korvex", false);
        EXPECT_EQ(At(kDate + "DST Enable/value").choices[At(kDate + "DST Enable/value").selected],
                  c.dstEnable);
        EXPECT_EQ(At(kDate + "DST Type/value").choices[At(kDate + "DST Type/value").selected],
                  c.dstType);
        EXPECT_EQ(At(kDate + "Timezone/value").text, c.timezone);
    }
    EXPECT_TRUE(At(kDate + "Use PC Settings").checked);
    EXPECT_TRUE(At(kDate + "N").checked);
    EXPECT_TRUE(At(kDate + "E").checked);
    EXPECT_EQ(At(kDate + "Latitude/value").text, "28");
    EXPECT_EQ(At(kDate + "Longitude/value").text, "81");
    EXPECT_EQ(At(kDate + "Time/value").text, "2:05:09 PM");
    EXPECT_EQ(At(kDate + "Date/value").text, "03/07/2026");
    EXPECT_EQ(At(kNtp + "NTP Enable/value").selected, 0);
    EXPECT_EQ(At(kNtp + "NTP Server/value").text, "192.168.0.1");
    EXPECT_EQ(At(kNtp + "Eth Jack/value").choices, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(At(kNtp + "Eth Jack/value").selected, 0);
    std::vector<std::string> zones = At(kDate + "Timezone/value").choices;
    ASSERT_EQ(zones.size(), 27u);
    EXPECT_EQ(zones.front(), "+13");
    EXPECT_EQ(zones[12], "+01");
    EXPECT_EQ(zones[13], "0 (GMT)");
    EXPECT_EQ(zones[14], "-01");
    EXPECT_EQ(zones.back(), "-13");
}

TEST_F(SchedPageTest, UsePcSettingsKeepsItsTickWhenTheWindowOpensAgain) {
    Open("Korvex", true, false);
    Type(kDate + "Latitude/value", "45");
    Open("Korvel", false);
    EXPECT_FALSE(At(kDate + "Use PC Settings").checked);
    EXPECT_EQ(At(kDate + "Latitude/value").text, "28");
}

struct Press {
    std::string product;
    bool setMode, usePc;
    std::vector<std::pair<std::string, std::string>> typed;  // path and value
    std::string button;
    std::string sent;
};

TEST_F(SchedPageTest, EveryButtonSendsItsCommandInTheProductsSpelling) {
    host.clock.zone = UnitedStatesEastern();
    const std::string time = kDate + "Time", date = kDate + "Date";
    const std::string dstEnable = kDate + "DST Enable", dstType = kDate + "DST Type";
    const std::string zone = kDate + "Timezone", latitude = kDate + "Latitude",
                      longitude = kDate + "Longitude";
    const std::string ntpEnable = kNtp + "NTP Enable", ntpServer = kNtp + "NTP Server",
                      jack = kNtp + "Eth Jack";
    const Press presses[] = {
        // Get: the command word alone.
        {"Korvex", false, true, {}, time, "TI"},
        {"Korvex", false, true, {}, date, "DA"},
        {"Korvex", false, true, {}, dstEnable, "SD"},
        {"Korvex", false, true, {}, zone, "TZ"},
        {"Korvex", false, true, {}, latitude, "LA"},
        {"Korvex", false, true, {}, longitude, "LO"},
        {"Korvex", false, true, {}, dstType, "DT"},
        {"Korvex", false, true, {}, ntpEnable, "NE"},
        {"Korvex", false, true, {}, ntpServer, "NI"},
        {"Korvex", false, true, {}, jack, "NJ"},
        {"Melisk", false, true, {}, dstEnable, "DT"},
        {"Netwick", false, true, {}, time, "?TIME"},
        {"Netwick", false, true, {}, date, "?DATE"},
        {"Netwick", false, true, {}, dstEnable, "SD"},
        {"GlimraPro", false, true, {}, longitude, "LG"},
        // Set with typed values.
        {"Korvex", true, false, {{time + "/value", "1:05:00 PM"}}, time, "13:05:00TI"},
        {"Korvex", true, false, {{time + "/value", "12:30:00 AM"}}, time, "0:30:00TI"},
        {"Korvex", true, false, {{time + "/value", "12:30:00 PM"}}, time, "12:30:00TI"},
        {"Korvex", true, false, {{time + "/value", "11:59:59 PM"}}, time, "23:59:59TI"},
        {"Korvex", true, false, {{date + "/value", "12/06/2026"}}, date, "12/06/2026DA"},
        {"Korvex", true, false, {{dstEnable + "/value", "Off"}}, dstEnable, "0SD"},
        {"Korvex", true, false, {{dstEnable + "/value", "On"}}, dstEnable, "1SD"},
        {"Korvex", true, false, {{zone + "/value", "0 (GMT)"}}, zone, "0 (GMT)TZ"},
        {"Korvex", true, false, {{zone + "/value", "+03"}}, zone, "+03TZ"},
        {"Korvex", true, false, {{zone + "/value", "-3:30"}}, zone, "-3:30TZ"},
        {"Korvex", true, false, {}, latitude, "N28LA"},
        {"Korvex",
         true,
         false,
         {{latitude + "/value", "90"}, {kDate + "S", "1"}},
         latitude,
         "S90LA"},
        {"Korvex", true, false, {{latitude + "/value", "0"}}, latitude, "N0LA"},
        {"Korvex", true, false, {}, longitude, "E81LO"},
        {"Korvex",
         true,
         false,
         {{longitude + "/value", "180"}, {kDate + "W", "1"}},
         longitude,
         "W180LO"},
        {"GlimraPro", true, false, {}, longitude, "E81LG"},
        {"Korvex", true, false, {{dstType + "/value", "AUS"}}, dstType, "AUSDT"},
        {"Korvex", true, false, {{dstType + "/value", "UTC"}}, dstType, "UTCDT"},
        {"Korvex", true, false, {{ntpEnable + "/value", "On"}}, ntpEnable, "1NE"},
        {"Korvex", true, false, {{ntpEnable + "/value", "Off"}}, ntpEnable, "0NE"},
        {"Korvex", true, false, {{ntpServer + "/value", "10.1.2.3"}}, ntpServer, "10.1.2.3NI"},
        {"Korvex", true, false, {}, ntpServer, "192.168.0.1NI"},
        {"Korvex", true, false, {{jack + "/value", "B"}}, jack, "BNJ"},
        {"Korvex", true, false, {}, jack, "ANJ"},
        // Products 7-10 name the daylight rule set by number and switch it on that way.
        {"Melisk", true, false, {{dstType + "/value", "AUS"}}, dstType, "3DT"},
        {"Brisca-E", true, false, {{dstType + "/value", "USA"}}, dstType, "1DT"},
        {"Rovant", true, false, {{dstType + "/value", "UTC"}}, dstType, "2DT"},
        {"Melisk", true, false, {{dstEnable + "/value", "Off"}}, dstEnable, "0DT"},
        {"Melisk",
         true,
         false,
         {{dstEnable + "/value", "On"}, {dstType + "/value", "USA"}},
         dstEnable,
         "1DT"},
        {"Pavane",
         true,
         false,
         {{dstEnable + "/value", "On"}, {dstType + "/value", "AUS"}},
         dstEnable,
         "3DT"},
        // Set with the PC's settings: 14:05:09 on 7 March 2026, five hours behind UTC, US rules.
        {"Korvex", true, true, {}, time, "14:05:09TI"},
        {"Korvex", true, true, {}, date, "03/07/2026DA"},
        {"Korvex", true, true, {}, zone, "-5TZ"},
        {"Korvex", true, true, {}, dstEnable, "1SD"},
        {"Korvex", true, true, {}, dstType, "USADT"},
        {"Melisk", true, true, {}, dstEnable, "1DT"},
        {"Melisk", true, true, {}, dstType, "1DT"},
        {"Korvex", true, true, {}, latitude, "N28LA"},
    };
    for (const Press& press : presses) {
        SCOPED_TRACE(press.product + (press.setMode ? " Set " : " Get ") +
                     (press.usePc ? "PC " : "") + press.button);
        Open(press.product, press.setMode, press.usePc);
        for (const auto& [path, value] : press.typed) Type(path, value);
        EXPECT_EQ(PressAndCollect(press.button), (Sent{{press.sent, true}}));
        EXPECT_TRUE(host.Messages().empty());
    }
}

TEST_F(SchedPageTest, APcWithoutDaylightSavingOnUtcSendsItsOwnFacts) {
    host.clock.zone = TimeZoneRecord{};
    Open("Korvex", true, true);
    EXPECT_EQ(PressAndCollect(kDate + "Timezone"), (Sent{{"0TZ", true}}));
    EXPECT_EQ(PressAndCollect(kDate + "DST Enable"), (Sent{{"0SD", true}}));
    EXPECT_EQ(PressAndCollect(kDate + "DST Type"), (Sent{{"UnknownDT", true}}));
    Open("Melisk", true, true);
    EXPECT_EQ(PressAndCollect(kDate + "DST Enable"), (Sent{{"0DT", true}}));
    EXPECT_EQ(PressAndCollect(kDate + "DST Type"), (Sent{{"0DT", true}}));
}

TEST_F(SchedPageTest, CoordinatesOutsideTheirRangeAreRefusedWithAMessage) {
    struct Refusal {
        std::string field, value, message;
    };
    const Refusal refusals[] = {
        {"Latitude", "91", "Latitude value must be between 0 and 90"},
        {"Latitude", "-1", "Latitude value must be between 0 and 90"},
        {"Longitude", "181", "Longitude value must be between 0 and 180"},
        {"Longitude", "-5", "Longitude value must be between 0 and 180"},
        {"Latitude", "north", "Please enter an integer."},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.field + " " + r.value);
        Open("Korvex");
        Type(kDate + r.field + "/value", r.value);
        host.window.shown.clear();
        EXPECT_TRUE(PressAndCollect(kDate + r.field).empty());
        EXPECT_EQ(host.Messages(), std::vector<std::string>{r.message});
    }
}

TEST_F(SchedPageTest, TheNetwickTakesTheValueHalfASecondAfterItsKeyword) {
    struct Case {
        bool usePc;
        std::string button, picker, keyword, value;
        int timer;
    };
    const Case cases[] = {
        {false, "Time", "1:05:00 PM", "SETTIME", "13:05:00", CSchedTabDlg::kTimeFollowUpTimer},
        {false, "Date", "12/06/2026", "SETDATE", "12/06/26", CSchedTabDlg::kDateFollowUpTimer},
        {true, "Time", "1:05:00 PM", "SETTIME", "14:05:09", CSchedTabDlg::kTimeFollowUpTimer},
        {true, "Date", "12/06/2026", "SETDATE", "03/07/26", CSchedTabDlg::kDateFollowUpTimer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button + (c.usePc ? " PC" : ""));
        Open("Netwick", true, c.usePc);
        if (!c.usePc) Type(kDate + c.button + "/value", c.picker);
        EXPECT_EQ(PressAndCollect(kDate + c.button), (Sent{{c.keyword, true}}));
        ASSERT_EQ(host.window.timers.count(c.timer), 1u);
        EXPECT_EQ(host.window.timers[c.timer].periodMs, 500u);
        EXPECT_GE(c.timer, 100);
        host.window.Tick(c.timer);
        EXPECT_EQ(host.sent, (Sent{{c.keyword, true}, {c.value, true}}));
        EXPECT_EQ(host.window.timers.count(c.timer), 0u);  // once only
    }
}

TEST_F(SchedPageTest, TimeAndDateBothReachTheNetwickWhenPressedTogether) {
    Open("Netwick", true, true);
    PressPath(page, kDate + "Time");
    PressPath(page, kDate + "Date");
    host.window.Tick(CSchedTabDlg::kTimeFollowUpTimer);
    host.window.Tick(CSchedTabDlg::kDateFollowUpTimer);
    EXPECT_EQ(host.sent,
              (Sent{{"SETTIME", true}, {"SETDATE", true}, {"14:05:09", true}, {"03/07/26", true}}));
}

TEST_F(SchedPageTest, AFollowUpDoesNotOutliveItsWindow) {
    Open("Netwick", true, true);
    PressPath(page, kDate + "Time");
    page.Destroy();
    EXPECT_TRUE(host.window.timers.empty());
}

struct Enabling {
    std::string product;
    bool setMode, usePc;
    std::string buttons;  // Time .. Eth Jack
    std::string fields;   // Use PC Settings, pickers, lists, edits, radio buttons
};

TEST_F(SchedPageTest, ControlsFollowTheCapabilitiesTheSetChoiceAndThePcTick) {
    const std::vector<std::string> buttons = {
        kDate + "Time",      kDate + "Date",      kDate + "DST Enable", kDate + "Timezone",
        kDate + "Latitude",  kDate + "Longitude", kDate + "DST Type",   kNtp + "NTP Enable",
        kNtp + "NTP Server", kNtp + "Eth Jack"};
    const std::vector<std::string> fields = {kDate + "Use PC Settings",
                                             kDate + "Time/value",
                                             kDate + "Date/value",
                                             kDate + "DST Enable/value",
                                             kDate + "Timezone/value",
                                             kDate + "Latitude/value",
                                             kDate + "N",
                                             kDate + "S",
                                             kDate + "Longitude/value",
                                             kDate + "E",
                                             kDate + "W",
                                             kDate + "DST Type/value",
                                             kNtp + "NTP Enable/value",
                                             kNtp + "NTP Server/value",
                                             kNtp + "Eth Jack/value"};
    const Enabling cases[] = {
        {"Korvex", false, true, "1111111111", "000000000000000"},
        {"Korvex", true, true, "1111111111", "100001111110111"},
        {"Korvex", true, false, "1111111111", "111111111111111"},
        {"Melisk", true, false, "1111111110", "111111111111110"},
        {"Canzo", true, false, "1111111000", "111111111111000"},
        {"Netwick", false, true, "1110001000", "000000000000000"},
        {"Netwick", true, false, "1110001000", "111100000001000"},
        {"Glimra", true, false, "0000000000", "000000000000000"},
    };
    auto states = [&](const std::vector<std::string>& paths) {
        std::string enabled;
        for (const std::string& path : paths) enabled += At(path).enabled ? '1' : '0';
        return enabled;
    };
    for (const Enabling& c : cases) {
        SCOPED_TRACE(c.product + (c.setMode ? " Set" : " Get") + (c.usePc ? " PC" : ""));
        Open(c.product, true, c.usePc);
        if (!c.setMode) PressPath(page, "Configuration/Get");
        EXPECT_EQ(states(buttons), c.buttons);
        EXPECT_EQ(states(fields), c.fields);
    }
}

}  // namespace
}  // namespace zel
