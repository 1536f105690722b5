// The "SMPTE" page: Get sends the query letters, Set the value code and the letters.
#include "pages/common/smpte_page.h"

#include <gtest/gtest.h>

#include "products/catalog.h"
#include "support/fake_page_host.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;
using Sent = FakePageHost::Sent;

class SmptePageTest : public ::testing::Test {
  protected:
    void Open(const std::string& product) {
        page.Destroy();
        page.SetProduct(FindProduct(catalog, product));
        page.Create();
    }
    std::vector<Sent> Take(const std::string& button) {
        host.sent.clear();
        EXPECT_EQ(PressPath(page, "SMPTE/EBU/" + button), ActionResult::Done) << button;
        return host.sent;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CSMPTEConfigTabDlg page{host};
};

const std::pair<std::string, std::string> kButtons[] = {
    {"Preroll Time", "PT"}, {"Start Time", "RT"},    {"End Time", "ET"},     {"Mode", "SO"},
    {"Framerate", "FR"},    {"Loop Mode", "LM"},     {"Powerup Mode", "PM"}, {"Restart Mode", "RM"},
    {"Idle Mode", "IM"},    {"Self-Gen Mode", "SG"}, {"Output Level", "OL"},
};

TEST_F(SmptePageTest, GetSendsEachQueryAndTheValuesStayLocked) {
    Open("Video Reelmast");
    EXPECT_EQ(page.Title(), "SMPTE");
    EXPECT_TRUE(test::SharedPaths(page).empty());
    std::set<std::string> pressed;
    for (const auto& [button, letters] : kButtons) {
        EXPECT_EQ(Take(button), (std::vector<Sent>{{letters, true}}));
        EXPECT_FALSE(page.At(*page.Find("SMPTE/EBU/" + button + "/value")).enabled) << button;
        pressed.insert("SMPTE/EBU/" + button);
    }
    EXPECT_EQ(pressed, test::ButtonPaths(page));
}

TEST_F(SmptePageTest, SetSendsEveryValueCodeInFrontOfTheLetters) {
    Open("A/V Reelmast HD");
    ASSERT_EQ(PressPath(page, "Configuration/Set"), ActionResult::Done);
    EXPECT_FALSE(page.At(*page.Find("Configuration/Get")).checked);
    // The initial texts, then whatever is typed, unchecked.
    EXPECT_EQ(Take("Preroll Time"), (std::vector<Sent>{{"00:59:55.00PT", true}}));
    EXPECT_EQ(Take("Start Time"), (std::vector<Sent>{{"01:00:00.00RT", true}}));
    EXPECT_EQ(Take("End Time"), (std::vector<Sent>{{"02:00:00.00ET", true}}));
    ASSERT_EQ(SetPath(page, "SMPTE/EBU/End Time/value", "soon"), ActionResult::Done);
    EXPECT_EQ(Take("End Time"), (std::vector<Sent>{{"soonET", true}}));

    struct Case {
        std::string button;
        std::vector<std::pair<std::string, std::string>> entries;  // entry, sent
    };
    const Case cases[] = {
        {"Mode", {{"Gen", "1SO"}, {"Gen (VSync)", "2SO"}, {"Read", "0SO"}}},
        {"Framerate",
         {{"30", "5FR"},
          {"30d", "4FR"},
          {"29.97", "3FR"},
          {"25", "2FR"},
          {"24", "1FR"},
          {"23.976", "0FR"}}},
        {"Loop Mode", {{"Enabled", "1LM"}, {"Disabled", "0LM"}}},
        {"Powerup Mode", {{"Idle", "0PM"}, {"Start", "1PM"}}},
        {"Restart Mode", {{"Enabled", "1RM"}, {"Disabled", "0RM"}}},
        {"Idle Mode", {{"Active", "0IM"}, {"Muted", "1IM"}}},
        {"Self-Gen Mode",
         {{"Disabled", "0SG"},
          {"1 Sec", "1SG"},
          {"2 Sec", "2SG"},
          {"3 Sec", "3SG"},
          {"4 Sec", "4SG"},
          {"5 Sec", "5SG"},
          {"6 Sec", "6SG"},
          {"7 Sec", "7SG"},
          {"8 Sec", "8SG"},
          {"Infinite", "ISG"}}},
        {"Output Level",
         {{"0dBV", "0OL"}, {"1dBV", "1OL"}, {"2dBV", "2OL"}, {"3dBV", "3OL"}, {"4dBV", "4OL"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const Control& list = page.At(*page.Find("SMPTE/EBU/" + c.button + "/value"));
        ASSERT_EQ(list.kind, ControlKind::DropDownList);
        EXPECT_FALSE(list.sortedChoices);
        ASSERT_EQ(list.choices.size(), c.entries.size());
        EXPECT_EQ(list.selected, 0);
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(list.choices[i], c.entries[i].first);
            ASSERT_EQ(SetPath(page, "SMPTE/EBU/" + c.button + "/value", c.entries[i].first),
                      ActionResult::Done);
            EXPECT_EQ(Take(c.button), (std::vector<Sent>{{c.entries[i].second, true}}));
        }
    }
}

TEST_F(SmptePageTest, SwitchingModesKeepsTheChoicesAndANewWindowStartsAfresh) {
    Open("Video Reelmast");
    PressPath(page, "Configuration/Set");
    SetPath(page, "SMPTE/EBU/Framerate/value", "25");
    SetPath(page, "SMPTE/EBU/Start Time/value", "00:00:10.00");
    PressPath(page, "Configuration/Get");
    EXPECT_EQ(SetPath(page, "SMPTE/EBU/Framerate/value", "24"), ActionResult::Disabled);
    PressPath(page, "Configuration/Set");
    EXPECT_EQ(Take("Framerate"), (std::vector<Sent>{{"2FR", true}}));
    EXPECT_EQ(Take("Start Time"), (std::vector<Sent>{{"00:00:10.00RT", true}}));

    Open("Video Reelmast");
    EXPECT_TRUE(page.At(*page.Find("Configuration/Get")).checked);
    EXPECT_EQ(Take("Framerate"), (std::vector<Sent>{{"FR", true}}));
    PressPath(page, "Configuration/Set");
    EXPECT_EQ(Take("Framerate"), (std::vector<Sent>{{"5FR", true}}));
    EXPECT_EQ(Take("Start Time"), (std::vector<Sent>{{"01:00:00.00RT", true}}));
}

TEST_F(SmptePageTest, OnlyThePioneerProtocolsSend) {
    struct Case {
        std::string product;
        int connection;
        std::string protocol;  // empty: the connection offers none
        bool sends;
    };
    const Case cases[] = {
        {"Video Reelmast", kSerial, "Pioneer", true},
        {"Video Reelmast", kEthernet, "Pioneer", true},
        {"Video Reelmast", kEthernet, "Pioneer(ZELNet)", true},
        {"Video Reelmast", kUsb, "", false},
        {"Custom", kSerial, "Custom", false},
        {"Netwick", kSerial, "Netwick(Test)", false},
        {"Lumeka", kEthernet, "Netwick(8-bit)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product + " " + c.protocol);
        ProductInfo& product = *FindProduct(catalog, c.product);
        product.SetCurrentConnection(c.connection);
        if (!c.protocol.empty()) {
            ASSERT_TRUE(product.SelectProtocolByName(c.protocol));
        }
        Open(c.product);
        for (const char* mode : {"Configuration/Get", "Configuration/Set"}) {
            PressPath(page, mode);
            for (const auto& [button, letters] : kButtons) {
                EXPECT_EQ(Take(button).empty(), !c.sends) << mode << " " << button;
            }
        }
    }
}

}  // namespace
}  // namespace zel
