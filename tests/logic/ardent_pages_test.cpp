// The Ardent pages, for "Ardent" and "Ardent HD" alike: every button by path with the exact
// text, carriage-return flag and messages, the broadcast channel and the append flag.
#include <gtest/gtest.h>

#include "pages/property_sheet.h"
#include "pages/video/ardent_audio_tab.h"
#include "pages/video/ardent_ban_tab.h"
#include "pages/video/ardent_img_tab.h"
#include "pages/video/ardent_sch_brow_dlg.h"
#include "pages/video/ardent_tab_dlg.h"
#include "support/page_presses.h"

namespace zel {
namespace {

using test::ExpectPresses;
using test::FakePageHost;
using test::kFileMessage;
using test::Press;
using test::PressPath;
using test::SetPath;

const std::string kFile = "Video Control/Filename or #";
const std::string kAppend = "Video Control/Append file number to Play and Loop Commands";
const std::string kBroadcast = "Video Control/Broadcast these commands to ALL channels";
const std::string kOutputNote =
    "The video may minimize on screen after changing the output mode.  Please send a command to "
    "play a video like 11PL in order to maximize the window again.  If this doesn't work, reboot "
    "your device.";

class ArdentPagesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ArdentPagesTest, VideoPageSendsOnChannelOneOrToAllChannels) {
    ExpectPresses<CArdentTabDlg>(
        GetParam(),
        {
            {{}, "Video Control/Play", {{"11PL", true}}},
            {{{kFile, "11"}}, "Video Control/Play", {{"111PL", true}}},
            {{{kFile, "11"}, {kAppend, "0"}}, "Video Control/Play", {{"1PL", true}}},
            {{{kFile, "11"}, {kBroadcast, "1"}}, "Video Control/Play", {{"11*PL", true}}},
            {{{kFile, ""}}, "Video Control/Play", {{"1PL", true}}, {kFileMessage}},
            {{{kFile, ""}, {kAppend, "0"}}, "Video Control/Play", {{"1PL", true}}},
            {{{kFile, "00018"}}, "Video Control/Loop", {{"000181LP", true}}},
            {{{kAppend, "0"}, {kBroadcast, "1"}}, "Video Control/Loop", {{"*LP", true}}},
            {{{kFile, "123456"}}, "Video Control/Loop", {{"1LP", true}}, {kFileMessage}},
            {{}, "Video Control/Stop", {{"1RJ", true}}},
            {{{kBroadcast, "1"}}, "Video Control/Stop", {{"*RJ", true}}},
            {{}, "Video Control/Still", {{"1ST", true}}},
            {{{kBroadcast, "1"}}, "Video Control/Still", {{"*ST", true}}},
            {{{kFile, "vid00018.mpg"}, {kAppend, "0"}},
             "Video Control/Search",
             {{"\"vid00018.mpg\"1SE", true}}},
            {{{kBroadcast, "1"}}, "Video Control/Search", {{"1*SE", true}}},
            {{{kFile, ""}}, "Video Control/Search", {{"1SE", true}}, {kFileMessage}},
            {{}, "Audio/Off", {{"01AD", true}}},
            {{}, "Audio/On", {{"11AD", true}}},
            {{{kBroadcast, "1"}}, "Audio/On", {{"1*AD", true}}},
            // Queries always ask channel 1.
            {{{kBroadcast, "1"}}, "Queries/Status", {{"1?P", true}}},
            {{{kBroadcast, "1"}}, "Queries/File", {{"1?C", true}}},
            {{}, "Output/Set Output", {{"NTSC", true}}, {kOutputNote}},
            {{{"Output/Set Output/value", "MONITOR_PAL"}},
             "Output/Set Output",
             {{"MONITOR_PAL", true}},
             {kOutputNote}},
            {{{"Output/Set Output/value", "HD1080"}},
             "Output/Set Output",
             {{"HD1080", true}},
             {kOutputNote}},
        });
}

TEST_P(ArdentPagesTest, AudioPageSendsOnChannelTwo) {
    const std::string file = "Control/Filename or #";
    const std::string append = "Control/Append file number to Play and Loop Commands";
    ExpectPresses<CArdentAudioTab>(
        GetParam(), {
                        {{}, "Control/Play", {{"12PL", true}}},
                        {{{append, "0"}}, "Control/Play", {{"2PL", true}}},
                        {{{file, "7"}}, "Control/Loop", {{"72LP", true}}},
                        {{{append, "0"}}, "Control/Loop", {{"2LP", true}}},
                        {{{file, "vid0001.mpg"}}, "Control/Search", {{"\"vid0001.mpg\"2SE", true}}},
                        {{{file, ""}}, "Control/Search", {{"2SE", true}}, {kFileMessage}},
                        {{}, "Control/Stop", {{"2RJ", true}}},
                        {{}, "Control/Pause", {{"2PA", true}}},
                        {{}, "Audio/Off", {{"02AD", true}}},
                        {{}, "Audio/On", {{"12AD", true}}},
                        {{}, "Queries/Status", {{"2?P", true}}},
                        {{}, "Queries/File", {{"2?C", true}}},
                    });
}

TEST_P(ArdentPagesTest, BannerPageSendsItsSettingsAndSearchesChannelFour) {
    const std::string colour = "Font/Color/value";
    ExpectPresses<CArdentBanTab>(
        GetParam(),
        {
            {{}, "Banner Control/Search File", {{"14SE", true}}},
            {{{"Banner Control/Filename or #", "ban 1.txt"}},
             "Banner Control/Search File",
             {{"\"ban 1.txt\"4SE", true}}},
            {{{"Banner Control/Filename or #", ""}},
             "Banner Control/Search File",
             {{"4SE", true}},
             {kFileMessage}},
            {{{"Banner Control/Immediate Text", "Doors open"}},
             "Banner Control/Banner Text",
             {{"Doors openBT", true}}},
            {{}, "Banner Control/Banner Text", {}},
            {{}, "Position/Top", {{"TBL", true}}},
            {{}, "Position/Bottom", {{"BBL", true}}},
            {{}, "Backround/On", {{"1BB", true}}},
            {{}, "Backround/Off", {{"0BB", true}}},
            {{}, "Banner/On", {{"0BM", true}}},
            {{}, "Banner/Off", {{"1BM", true}}},
            {{}, "Queries/Current File?", {{"4?C", true}}},
            {{}, "Scrolling/Direction/<-", {{"LBD", true}}},
            {{}, "Scrolling/Direction/->", {{"RBD", true}}},
            {{}, "Scrolling/Velocity", {{"0BV", true}}},
            {{{"Scrolling/Velocity/value", "2-Fast"}}, "Scrolling/Velocity", {{"2BV", true}}},
            {{}, "Font/Color", {{"FFFFFFBC", true}}},
            {{{"Font/Red", "1F"}, {"Font/Green", "A0"}, {"Font/Blue", "00"}},
             "Font/Color",
             {{"1FA000BC", true}}},
            {{{"Font/Red", "1"}, {"Font/Green", ""}}, "Font/Color", {{"1FFBC", true}}},
            {{{colour, "Teal"}}, "Font/Color", {{"\"Teal\"BC", true}}},
            {{{colour, "LightGray"}}, "Font/Color", {{"\"LightGray\"BC", true}}},
            {{}, "Font/Font", {{"\"Arial\"BF", true}}},
            {{{"Font/Font/value", "Courier New"}}, "Font/Font", {{"\"Courier New\"BF", true}}},
            {{}, "Font/Size", {{"24BS", true}}},
            {{{"Font/Set:", "36"}}, "Font/Size", {{"36BS", true}}},
            // A refused entry stops the button: nothing goes out, not even the previous size.
            {{{"Font/Set:", "3x"}}, "Font/Size", {}, {"Please enter an integer."}},
            {{{"Font/Set:", ""}}, "Font/Size", {}, {"Please enter an integer."}},
            {{{"Font/Red", "1FF"}}, "Font/Color", {}, {"Please enter no more than 2 characters."}},
        });
}

TEST_P(ArdentPagesTest, ImagePageSendsOnChannelThree) {
    ExpectPresses<CArdentImgTab>(GetParam(), {
                                                 {{}, "Image Control/Search", {{"13SE", true}}},
                                                 {{{"Image Control/Filename, or #", "logo.png"}},
                                                  "Image Control/Search",
                                                  {{"\"logo.png\"3SE", true}}},
                                                 {{{"Image Control/Filename, or #", "100000"}},
                                                  "Image Control/Search",
                                                  {{"3SE", true}},
                                                  {kFileMessage}},
                                                 {{}, "Position/TL", {{"TLIL", true}}},
                                                 {{}, "Position/TR", {{"TRIL", true}}},
                                                 {{}, "Position/CE", {{"CEIL", true}}},
                                                 {{}, "Position/BL", {{"BLIL", true}}},
                                                 {{}, "Position/BR", {{"BRIL", true}}},
                                                 {{}, "Position/ROTATE", {{"ROIL", true}}},
                                                 {{}, "Queries/Current File", {{"3?C", true}}},
                                                 {{}, "Image/On", {{"0IM", true}}},
                                                 {{}, "Image/Off", {{"1IM", true}}},
                                             });
}

TEST_P(ArdentPagesTest, SchedulerAndBrowserSearchTheirOwnChannels) {
    const std::string url = "http://10.0.0.5/show.html";
    ExpectPresses<CArdentSchBrowDlg>(
        GetParam(), {
                        {{}, "Scheduler Control/Search", {{"19SE", true}}},
                        {{{"Scheduler Control/Filename, # or URL", url}},
                         "Scheduler Control/Search",
                         {{"\"" + url + "\"9SE", true}}},
                        {{{"Scheduler Control/Filename, # or URL", ""}},
                         "Scheduler Control/Search",
                         {{"9SE", true}},
                         {kFileMessage}},
                        {{}, "Scheduler Control/Queries/Current File?", {{"9?C", true}}},
                        {{{"Browser Control/Filename, # or URL", "42"}},
                         "Browser Control/Search",
                         {{"425SE", true}}},
                        {{{"Browser Control/Filename, # or URL", url}},
                         "Browser Control/Search",
                         {{"\"" + url + "\"5SE", true}}},
                        {{}, "Browser Control/Queries/Current File?", {{"5?C", true}}},
                    });
}

TEST_P(ArdentPagesTest, BothPlayersShowTheSamePageObjectsSoEntriesSurvive) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CProductPropertySheet sheet(host);
    std::string other = GetParam() == "Ardent" ? "Ardent HD" : "Ardent";
    sheet.Rebuild(FindProduct(catalog, GetParam()));
    std::vector<std::string> titles;
    for (const auto& tab : sheet.Tabs()) titles.push_back(tab.title);
    ASSERT_GE(titles.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(titles.begin() + 1, titles.begin() + 6),
              (std::vector<std::string>{"Video", "Audio", "Banner", "Image", "Scheduler/Browser"}));
    CPage* video = sheet.ActivateTab("Video");
    ASSERT_NE(video, nullptr);
    ASSERT_EQ(SetPath(*video, kFile, "27"), ActionResult::Done);
    ASSERT_EQ(SetPath(*video, kBroadcast, "1"), ActionResult::Done);

    sheet.Rebuild(FindProduct(catalog, other));
    EXPECT_EQ(sheet.ActivateTab("Video"), video);
    PressPath(*video, "Video Control/Play");
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"27*PL", true}}));
}

INSTANTIATE_TEST_SUITE_P(Players, ArdentPagesTest, ::testing::Values("Ardent", "Ardent HD"),
                         [](const auto& info) {
                             return info.param == "Ardent" ? "Ardent" : "ArdentHD";
                         });

TEST(ArdentVideoPageTest, OutputBoxSortsItsModesAndShowsNtscEachTimeThePageOpens) {
    FakePageHost host;
    CArdentTabDlg page(host);
    EXPECT_EQ(test::Choices(page, "Output/Set Output/value"),
              (std::vector<std::string>{"MONITOR", "MONITOR_PAL", "NTSC", "PAL"}));
    page.Create();
    SetPath(page, "Output/Set Output/value", "PAL");
    page.Destroy();
    page.Create();
    PressPath(page, "Output/Set Output");
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"NTSC", true}}));
    ASSERT_EQ(host.window.shown.size(), 1u);
    EXPECT_EQ(host.window.shown[0].caption, "ZelTerm");
    EXPECT_EQ(host.window.shown[0].buttons, MessageButtons::OkCancel);
}

TEST(ArdentVideoPageTest, AudioPageHasNoBroadcastChoice) {
    FakePageHost host;
    CArdentAudioTab page(host);
    EXPECT_FALSE(page.Find("Control/Broadcast these commands to ALL channels"));
    EXPECT_TRUE(page.Find("Control/Append file number to Play and Loop Commands"));
}

TEST(ArdentBannerPageTest, ColourBoxesTakeTwoCharactersAndOnlyForManualColour) {
    FakePageHost host;
    CArdentBanTab page(host);
    EXPECT_EQ(test::Choices(page, "Scrolling/Velocity/value"),
              (std::vector<std::string>{"0-Still", "1-Slow", "2-Fast", "3-Fastest"}));
    EXPECT_EQ(test::Choices(page, "Font/Font/value"),
              (std::vector<std::string>{"Arial", "Courier New", "Times New Roman"}));
    EXPECT_EQ(test::Choices(page, "Font/Color/value"),
              (std::vector<std::string>{"Manual",      "White",       "Red",         "Green",
                                        "Blue",        "Yellow",      "Orange",      "Purple",
                                        "Gray",        "LightRed",    "LightGreen",  "LightBlue",
                                        "LightYellow", "LightOrange", "LightPurple", "LightGray",
                                        "Brown",       "Teal",        "Fuschia",     "Tan"}));
    page.Create();
    const std::vector<std::string> colourControls = {"Font/Red",   "Font/Red/label",
                                                     "Font/Green", "Font/Green/label",
                                                     "Font/Blue",  "Font/Blue/label"};
    auto enabled = [&](const std::string& path) { return page.At(*page.Find(path)).enabled; };
    for (const std::string& path : colourControls) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(page.Find(path));
        EXPECT_TRUE(enabled(path));
        if (page.At(*page.Find(path)).kind == ControlKind::TextEdit) {
            EXPECT_EQ(page.At(*page.Find(path)).maxLength, 2u);
        }
    }
    ASSERT_EQ(SetPath(page, "Font/Color/value", "Blue"), ActionResult::Done);
    for (const std::string& path : colourControls) EXPECT_FALSE(enabled(path)) << path;
    EXPECT_EQ(SetPath(page, "Font/Red", "00"), ActionResult::Disabled);
    ASSERT_EQ(SetPath(page, "Font/Color/value", "Manual"), ActionResult::Done);
    for (const std::string& path : colourControls) EXPECT_TRUE(enabled(path)) << path;
}

TEST(ArdentBannerPageTest, OpeningThePageAgainResetsColourAndListsButKeepsTheSize) {
    FakePageHost host;
    CArdentBanTab page(host);
    page.Create();
    SetPath(page, "Font/Red", "10");
    SetPath(page, "Font/Set:", "48");
    SetPath(page, "Scrolling/Velocity/value", "3-Fastest");
    SetPath(page, "Font/Font/value", "Times New Roman");
    page.Destroy();
    page.Create();
    for (const char* button : {"Font/Color", "Font/Size", "Scrolling/Velocity", "Font/Font"}) {
        PressPath(page, button);
    }
    EXPECT_EQ(host.sent,
              (std::vector<FakePageHost::Sent>{
                  {"FFFFFFBC", true}, {"48BS", true}, {"0BV", true}, {"\"Arial\"BF", true}}));
}

}  // namespace
}  // namespace zel
