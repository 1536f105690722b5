// The Reelmast "Reproducer" and "Controller" pages, driven as an operator would.
#include <gtest/gtest.h>

#include "pages/video/reelmast_control_page.h"
#include "pages/video/reelmast_repro_page.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;
using Sent = FakePageHost::Sent;

constexpr char kTarget[] = "Reproducer Address/list";
constexpr char kFileBox[] = "Playback Control/File Number";
constexpr char kOutputFormat[] = "Video Configuration/Output Format/Set/value";

class ReelmastPageTest : public ::testing::Test {
  protected:
    void Open(CPage& page, const std::string& product) {
        ProductInfo* info = FindProduct(catalog, product);
        ASSERT_NE(info, nullptr);
        page.Destroy();
        page.SetProduct(info);
        page.Create();
    }
    ProductInfo& Product(const std::string& name) { return *FindProduct(catalog, name); }
    const Control& At(const CPage& page, const std::string& path) {
        auto id = page.Find(path);
        EXPECT_TRUE(id) << path;
        return page.At(id.value_or(0));
    }
    // Presses and returns what went out, or "disabled".
    std::string PressAndTake(CPage& page, const std::string& path) {
        host.sent.clear();
        ActionResult result = PressPath(page, path);
        if (result == ActionResult::Disabled) return "disabled";
        EXPECT_EQ(result, ActionResult::Done) << path;
        if (host.sent.empty()) return "";
        EXPECT_EQ(host.sent.size(), 1u);
        EXPECT_TRUE(host.sent.front().cr);
        return host.sent.front().text;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CReelmastReproTabDlg repro{host};
    CReelmastControlTabDlg controller{host};
};

TEST_F(ReelmastPageTest, TargetsFollowTheProductsReproducerAndGroupCounts) {
    struct Case {
        std::string product;
        int reproducers;
    };
    for (const Case& c :
         {Case{"Video Reelmast", 16}, Case{"A/V Reelmast", 16}, Case{"A/V Reelmast HD", 8},
          Case{"Digital Reelmast", 16}, Case{"Digital Reelmast HD", 8}}) {
        SCOPED_TRACE(c.product);
        Open(repro, c.product);
        std::vector<std::string> expected;
        for (int n = 1; n <= c.reproducers; ++n)
            expected.push_back("Reproducer " + std::to_string(n));
        for (int n = 1; n <= 13; ++n) expected.push_back("Group " + std::to_string(n));
        expected.push_back("All");
        EXPECT_EQ(At(repro, kTarget).choices, expected);
        EXPECT_EQ(At(repro, kTarget).selected, 0);
        EXPECT_EQ(PressAndTake(repro, "Playback Control/Play"), "R1PL");
        EXPECT_TRUE(At(repro, "Playback Mode").visible);
        EXPECT_TRUE(At(repro, "Playback Mode/Left").visible);
        EXPECT_TRUE(test::SharedPaths(repro).empty());
    }
}

TEST_F(ReelmastPageTest, EveryReproducerButtonInEachPlaybackMode) {
    Open(repro, "Video Reelmast");
    ASSERT_EQ(SetPath(repro, kTarget, "Reproducer 3"), ActionResult::Done);
    ASSERT_EQ(SetPath(repro, kFileBox, "5"), ActionResult::Done);
    struct Row {
        std::string path, normal, left, right;
    };
    const std::string off = "disabled";
    const Row rows[] = {
        {"Playback Control/Search", "5R3SE", off, off},
        {"Playback Control/Play File", "5R3PL", "5R3LPI", "5R3RPI"},
        {"Playback Control/Loop File", "5R3LP", "5R3LLI", "5R3RLI"},
        {"Playback Control/S-Play File", "5R3SP", off, off},
        {"Playback Control/S-Loop File", "5R3SL", off, off},
        {"Playback Control/Play Next", "5R3PN", "5R3LPN", "5R3RPN"},
        {"Playback Control/Loop Next", "5R3LN", "5R3LLN", "5R3RLN"},
        {"Playback Control/Stop", "R3RJ", "R3LRI", "R3RRI"},
        {"Playback Control/Play", "R3PL", off, off},
        {"Playback Control/Loop", "R3LP", off, off},
        {"Playback Control/Still", "R3ST", off, off},
        {"Playback Control/Pause", "R3PA", off, off},
        {"Playback Control/Get Version", "R3?V", "R3?V", "R3?V"},
        {"Playback Control/Get Status", "R3?P", "R3L?P", "R3R?P"},
        {"Playback Control/Get File", "R3?C", "R3L?C", "R3R?C"},
        {"Mute Control/Audio/Off", "0R3AD", "0R3LAD", "0R3RAD"},
        {"Mute Control/Audio/On", "1R3AD", "1R3LAD", "1R3RAD"},
        {"Mute Control/Video/Off", "0R3VD", "0R3VD", "0R3VD"},
        {"Mute Control/Video/On", "1R3VD", "1R3VD", "1R3VD"},
        {"Video Configuration/Colorspace/Set", "1R3VC", "1R3VC", "1R3VC"},
        {"Video Configuration/Colorspace/Get", "R3VC", "R3VC", "R3VC"},
        // A product without output formats.
        {"Video Configuration/Output Format/Set", off, off, off},
        {"Video Configuration/Output Format/Get", off, off, off},
    };
    std::set<std::string> pressed;
    for (const Row& row : rows) pressed.insert(row.path);
    EXPECT_EQ(pressed, test::ButtonPaths(repro));
    const std::pair<std::string, std::string Row::*> modes[] = {
        {"Normal", &Row::normal}, {"Left", &Row::left}, {"Right", &Row::right}};
    for (const auto& [mode, expected] : modes) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(PressPath(repro, "Playback Mode/" + mode), ActionResult::Done);
        EXPECT_TRUE(At(repro, "Playback Mode/" + mode).checked);
        for (const Row& row : rows) {
            SCOPED_TRACE(row.path);
            EXPECT_EQ(PressAndTake(repro, row.path), row.*expected);
        }
    }
    EXPECT_FALSE(At(repro, "Playback Mode/Normal").checked);
    EXPECT_TRUE(host.window.shown.empty());
}

TEST_F(ReelmastPageTest, GroupsAndAllHaveAddressCodesAndNoQueries) {
    Open(repro, "A/V Reelmast");
    SetPath(repro, kTarget, "All");
    EXPECT_EQ(PressAndTake(repro, "Playback Control/Play"), "*PL");
    for (const char* query : {"Playback Control/Get Version", "Playback Control/Get Status",
                              "Playback Control/Get File", "Video Configuration/Colorspace/Get"}) {
        EXPECT_FALSE(At(repro, query).enabled) << query;
    }
    SetPath(repro, kTarget, "Group 13");
    PressPath(repro, "Playback Mode/Left");
    EXPECT_EQ(PressAndTake(repro, "Mute Control/Audio/On"), "1G13LAD");
    EXPECT_EQ(PressAndTake(repro, "Playback Control/Get Status"), "disabled");
    SetPath(repro, kTarget, "Reproducer 12");
    EXPECT_EQ(PressAndTake(repro, "Playback Control/Stop"), "R12LRI");
    EXPECT_TRUE(At(repro, "Playback Control/Get Status").enabled);
    SetPath(repro, "Video Configuration/Colorspace/Set/value", "RGsB");
    EXPECT_EQ(PressAndTake(repro, "Video Configuration/Colorspace/Set"), "0R12VC");
}

TEST_F(ReelmastPageTest, FileNumbersGoThroughTheFileArgumentRules) {
    Open(repro, "Video Reelmast");
    struct Case {
        std::string box, sent;
    };
    for (const Case& c : {Case{"00018", "00018R1PL"}, Case{"clip.mpg", "\"clip.mpg\"R1PL"},
                          Case{"123456", ""}, Case{"", ""}}) {
        SCOPED_TRACE(c.box);
        host.window.shown.clear();
        SetPath(repro, kFileBox, c.box);
        EXPECT_EQ(PressAndTake(repro, "Playback Control/Play File"), c.sent);
        EXPECT_EQ(host.Messages(),
                  c.sent.empty() ? std::vector<std::string>{"Enter file name or number(0-99999)"}
                                 : std::vector<std::string>{});
    }
}

TEST_F(ReelmastPageTest, OutputFormatsOnlyOnTheHdProducts) {
    Open(repro, "A/V Reelmast HD");
    const std::pair<std::string, std::string> formats[] = {
        {"1080i", "1080I29"}, {"720p", "720P59"},       {"480p", "480P"},
        {"480i", "480I"},     {"1080i(25)", "1080I25"}, {"720p(50)", "720P50"},
        {"576p", "576P50"},   {"576i", "576I25"},       {"1080p(59.97)", "1080p59"},
    };
    std::vector<std::string> entries;
    for (const auto& [entry, code] : formats) entries.push_back(entry);
    EXPECT_EQ(At(repro, kOutputFormat).choices, entries);
    EXPECT_EQ(At(repro, kOutputFormat).selected, 0);
    for (const auto& [entry, code] : formats) {
        SCOPED_TRACE(entry);
        ASSERT_EQ(SetPath(repro, kOutputFormat, entry), ActionResult::Done);
        EXPECT_EQ(PressAndTake(repro, "Video Configuration/Output Format/Set"), code + "R1VO");
    }
    SetPath(repro, kTarget, "Group 2");
    EXPECT_EQ(PressAndTake(repro, "Video Configuration/Output Format/Set"), "1080p59G2VO");
    EXPECT_EQ(PressAndTake(repro, "Video Configuration/Output Format/Get"), "VO");

    Open(repro, "Digital Reelmast HD");
    entries.pop_back();
    EXPECT_EQ(At(repro, kOutputFormat).choices, entries);
    EXPECT_EQ(At(repro, kTarget).selected, 0);
    EXPECT_EQ(PressAndTake(repro, "Video Configuration/Output Format/Set"), "1080I29R1VO");

    for (const char* product : {"Video Reelmast", "A/V Reelmast", "Digital Reelmast"}) {
        Open(repro, product);
        EXPECT_FALSE(At(repro, kOutputFormat).enabled) << product;
    }
}

TEST_F(ReelmastPageTest, InitialisationReturnsToNormalModeAndTheFirstTarget) {
    Open(repro, "Video Reelmast");
    SetPath(repro, kTarget, "Group 4");
    PressPath(repro, "Playback Mode/Right");
    SetPath(repro, "Video Configuration/Colorspace/Set/value", "RGsB");
    Open(repro, "Video Reelmast");
    EXPECT_TRUE(At(repro, "Playback Mode/Normal").checked);
    EXPECT_FALSE(At(repro, "Playback Mode/Right").checked);
    EXPECT_EQ(PressAndTake(repro, "Playback Control/Stop"), "R1RJ");
    EXPECT_EQ(PressAndTake(repro, "Video Configuration/Colorspace/Set"), "1R1VC");
}

TEST_F(ReelmastPageTest, ThePlaybackModeGroupNeedsTheProductsCapability) {
    Open(repro, "Custom");  // no playback mode, no reproducers, no groups
    EXPECT_FALSE(At(repro, "Playback Mode").visible);
    EXPECT_EQ(PressPath(repro, "Playback Mode/Left"), ActionResult::Hidden);
    EXPECT_EQ(At(repro, kTarget).choices, std::vector<std::string>{"All"});
}

TEST_F(ReelmastPageTest, OnlyPioneerProtocolsSendExceptTheOutputFormatButtons) {
    Open(repro, "A/V Reelmast HD");
    Open(controller, "A/V Reelmast HD");
    ProductInfo& product = Product("A/V Reelmast HD");
    // Pioneer(ZELNet) on Ethernet sends like Pioneer.
    product.SetCurrentConnection(kEthernet);
    ASSERT_TRUE(product.SelectProtocolByName("Pioneer(ZELNet)"));
    EXPECT_EQ(PressAndTake(repro, "Playback Control/Play"), "R1PL");
    EXPECT_EQ(PressAndTake(controller, "SMPTE/EBU Control/Enable"), "ES");
    // USB offers no protocol at all: only the output-format buttons still send.
    product.SetCurrentConnection(kUsb);
    ASSERT_EQ(product.CurrentProtocol(), nullptr);
    for (const std::string& path : test::ButtonPaths(repro)) {
        bool outputFormat = path.starts_with("Video Configuration/Output Format/");
        std::string sent = PressAndTake(repro, path);
        if (sent == "disabled") continue;
        EXPECT_EQ(!sent.empty(), outputFormat) << path << " sent " << sent;
    }
    for (const std::string& path : test::ButtonPaths(controller)) {
        EXPECT_EQ(PressAndTake(controller, path), "") << path;
    }
    EXPECT_TRUE(host.window.shown.empty());
}

TEST_F(ReelmastPageTest, EveryControllerButton) {
    Open(controller, "Digital Reelmast");
    EXPECT_TRUE(test::SharedPaths(controller).empty());
    const std::pair<std::string, std::string> rows[] = {
        {"SMPTE/EBU Control/Enable", "ES"},
        {"SMPTE/EBU Control/Disable", "DS"},
        {"SMPTE/EBU Control/Pause", "PS"},
        {"SMPTE/EBU Control/Idle", "IS"},
        {"SMPTE/EBU Control/Get Version", "?S"},
        {"SMPTE/EBU Control/Get Status", "GS"},
        {"SMPTE/EBU Control/Current SMPTE Time/Set", "01:00:00.00CT"},
        {"SMPTE/EBU Control/Current SMPTE Time/Get", "CT"},
        {"A/V Setup/Video Format/Set", "0VF"},
        {"A/V Setup/Video Format/Get", "VF"},
        {"A/V Setup/Sample Rate/Set", "2SR"},
        {"A/V Setup/Sample Rate/Get", "SR"},
    };
    std::set<std::string> pressed;
    for (const auto& [path, text] : rows) {
        EXPECT_EQ(PressAndTake(controller, path), text) << path;
        pressed.insert(path);
    }
    EXPECT_EQ(pressed, test::ButtonPaths(controller));

    const std::pair<std::string, std::string> choices[] = {
        {"A/V Setup/Video Format", "NTSC"},   {"A/V Setup/Video Format", "PAL"},
        {"A/V Setup/Sample Rate", "32000Hz"}, {"A/V Setup/Sample Rate", "44100Hz"},
        {"A/V Setup/Sample Rate", "48000Hz"}, {"A/V Setup/Sample Rate", "96000Hz"},
    };
    const char* codes[] = {"0VF", "1VF", "0SR", "1SR", "2SR", "3SR"};
    for (size_t i = 0; i < std::size(choices); ++i) {
        const auto& [row, entry] = choices[i];
        ASSERT_EQ(SetPath(controller, row + "/Set/value", entry), ActionResult::Done);
        EXPECT_EQ(PressAndTake(controller, row + "/Set"), codes[i]) << entry;
    }
    SetPath(controller, "SMPTE/EBU Control/Current SMPTE Time/Set/value", "12:34:56.78");
    EXPECT_EQ(PressAndTake(controller, "SMPTE/EBU Control/Current SMPTE Time/Set"),
              "12:34:56.78CT");

    // A new window starts from the initial time, NTSC and 48000Hz.
    Open(controller, "Digital Reelmast");
    EXPECT_EQ(PressAndTake(controller, "SMPTE/EBU Control/Current SMPTE Time/Set"),
              "01:00:00.00CT");
    EXPECT_EQ(PressAndTake(controller, "A/V Setup/Video Format/Set"), "0VF");
    EXPECT_EQ(PressAndTake(controller, "A/V Setup/Sample Rate/Set"), "2SR");
}

}  // namespace
}  // namespace zel
