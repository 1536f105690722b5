// The "Control" pages of the Sonnel and Canzo stereo players, driven as an operator would.
#include <gtest/gtest.h>

#include "pages/audio/canzo_tab_dlg.h"
#include "pages/audio/sonnel_tab_dlg.h"
#include "pages/property_sheet.h"
#include "support/page_presses.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::ExpectPresses;
using test::FakePageHost;
using test::kFileMessage;
using test::Press;
using test::PressPath;
using test::SetPath;
using test::WithCR;
using Sent = FakePageHost::Sent;

constexpr char kSonnelFile[] = "Playback Control/File Name or Number";
constexpr char kVolume[] = "Audio Control/Volume";
constexpr char kCanzoFile[] = "Play Control/File #";
constexpr char kFormatQuestion[] = "Are you sure you wish to format your compact flash card?";
constexpr char kRangeMessage[] = "Please enter an integer between 0 and 99999.";

TEST(SonnelPageTest, EveryButtonSendsItsTextWithCR) {
    ExpectPresses<CSonnelTabDlg>(
        "Sonnel",
        {
            {{{kSonnelFile, "42"}}, "Playback Control/Search", WithCR("42SE")},
            {{{kSonnelFile, "song1"}}, "Playback Control/Play File", WithCR("\"song1\"PL")},
            {{{kSonnelFile, "00123"}}, "Playback Control/Loop File", WithCR("00123LP")},
            {{{kSonnelFile, "99999"}}, "Playback Control/Play Next", WithCR("99999PN")},
            {{{kSonnelFile, "my song.mp3"}},
             "Playback Control/Loop Next",
             WithCR("\"my song.mp3\"LN")},
            // The box starts empty: the file commands are refused until something is typed.
            {{}, "Playback Control/Play File", {}, {kFileMessage}},
            {{{kSonnelFile, "123456"}}, "Playback Control/Search", {}, {kFileMessage}},
            {{{kSonnelFile, ""}}, "Playback Control/Loop Next", {}, {kFileMessage}},
            {{}, "Playback Control/Stop", WithCR("RJ")},
            {{}, "Playback Control/Play", WithCR("PL")},
            {{}, "Playback Control/Loop", WithCR("LP")},
            {{}, "Playback Control/Pause", WithCR("PA")},
            {{}, "Playback Control/Get Status", WithCR("?P")},
            {{}, "Playback Control/Get File Name", WithCR("?C")},
            {{}, "Playback Control/List Files", WithCR("?D")},
            {{}, "Audio Control/Audio/Off", WithCR("0AD")},
            {{}, "Audio Control/Audio/On", WithCR("*AD")},
            {{}, "Relay Control/Auto", WithCR("XRL")},
            {{}, "Relay Control/Play/Off", WithCR("0PRL")},
            {{}, "Relay Control/Play/On", WithCR("1PRL")},
            {{}, "Relay Control/Fault/Off", WithCR("0FRL")},
            {{}, "Relay Control/Fault/On", WithCR("1FRL")},
            // The fake operator answers questions with No.
            {{}, "Media/Format", {}, {kFormatQuestion}},
        });
}

class AudioPageTest : public ::testing::Test {
  protected:
    template <typename Page>
    CPage& Open(const std::string& product) {
        page = std::make_unique<Page>(host);
        page->SetProduct(FindProduct(catalog, product));
        page->Create();
        return *page;
    }
    std::string Shown(const std::string& path) const { return page->At(*page->Find(path)).text; }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    std::unique_ptr<CPage> page;
};

TEST_F(AudioPageTest, SonnelFormatsOnlyAfterYes) {
    CPage& control = Open<CSonnelTabDlg>("Sonnel");
    host.window.answers = {MessageAnswer::Yes, MessageAnswer::No};
    PressPath(control, "Media/Format");
    PressPath(control, "Media/Format");
    EXPECT_EQ(host.sent, WithCR("FO"));
    ASSERT_EQ(host.window.shown.size(), 2u);
    EXPECT_EQ(host.window.shown[0].text, kFormatQuestion);
    EXPECT_EQ(host.window.shown[0].caption, "ZelTerm");
    EXPECT_EQ(host.window.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(host.window.shown[0].icon, MessageIcon::Question);
}

TEST_F(AudioPageTest, SonnelVolumeGoesOutWhileTheSliderMovesAndNotAgainOnRelease) {
    CPage& control = Open<CSonnelTabDlg>("Sonnel");
    const Control& slider = control.At(*control.Find(kVolume));
    EXPECT_EQ(slider.minimum, 1);
    EXPECT_EQ(slider.maximum, 10);
    EXPECT_EQ(slider.position, 10);
    EXPECT_EQ(Shown(std::string(kVolume) + "/label"), "10");

    for (const char* position : {"9", "8", "7"}) {
        ASSERT_EQ(SetPath(control, kVolume, position), ActionResult::Done);
        EXPECT_EQ(Shown(std::string(kVolume) + "/label"), position);
    }
    ASSERT_EQ(PressPath(control, kVolume), ActionResult::Done);  // let go at 7
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"9AD", true}, {"8AD", true}, {"7AD", true}}));

    host.sent.clear();
    ASSERT_EQ(SetPath(control, kVolume, "1"), ActionResult::Done);
    EXPECT_EQ(SetPath(control, kVolume, "0"), ActionResult::BadValue);
    EXPECT_EQ(SetPath(control, kVolume, "11"), ActionResult::BadValue);
    EXPECT_EQ(host.sent, WithCR("1AD"));
    EXPECT_TRUE(host.Messages().empty());
}

TEST(CanzoPageTest, EveryButtonSendsItsTextWithCR) {
    ExpectPresses<CCanzoTabDlg>(
        "Canzo", {
                     {{}, "Play Control/Play", WithCR("PL")},
                     {{}, "Play Control/Loop", WithCR("LP")},
                     {{}, "Play Control/Stop", WithCR("RJ")},
                     {{}, "Play Control/Pause", WithCR("PA")},
                     {{}, "Play Control/Search", WithCR("0SE")},
                     {{{kCanzoFile, "123"}}, "Play Control/Search", WithCR("123SE")},
                     {{{kCanzoFile, "00042"}}, "Play Control/Search", WithCR("42SE")},
                     {{{kCanzoFile, "99999"}}, "Play Control/Search", WithCR("99999SE")},
                     {{}, "Drive Control/Current Media Drive/Internal", WithCR("0SL")},
                     {{}, "Drive Control/Current Media Drive/External", WithCR("1SL")},
                     // No question asked before this format.
                     {{}, "Drive Control/Format Drive", WithCR("FO")},
                     {{}, "Drive Control/Storage Space", WithCR("?R")},
                     {{}, "Audio Control/Off", WithCR("0AD")},
                     {{}, "Audio Control/On", WithCR("1AD")},
                 });
}

TEST(CanzoPageTest, ARefusedFileNumberStopsEveryButton) {
    ExpectPresses<CCanzoTabDlg>(
        "Canzo",
        {
            {{{kCanzoFile, "100000"}}, "Play Control/Search", {}, {kRangeMessage}},
            {{{kCanzoFile, "-1"}}, "Play Control/Search", {}, {kRangeMessage}},
            {{{kCanzoFile, "12a"}}, "Play Control/Search", {}, {"Please enter an integer."}},
            {{{kCanzoFile, ""}}, "Play Control/Search", {}, {"Please enter an integer."}},
            {{{kCanzoFile, "x"}}, "Play Control/Play", {}, {"Please enter an integer."}},
            {{{kCanzoFile, "100000"}}, "Play Control/Loop", {}, {kRangeMessage}},
            {{{kCanzoFile, "100000"}}, "Play Control/Stop", {}, {kRangeMessage}},
            {{{kCanzoFile, "100000"}}, "Play Control/Pause", {}, {kRangeMessage}},
            {{{kCanzoFile, "100000"}},
             "Drive Control/Current Media Drive/Internal",
             {},
             {kRangeMessage}},
            {{{kCanzoFile, "100000"}},
             "Drive Control/Current Media Drive/External",
             {},
             {kRangeMessage}},
            {{{kCanzoFile, "100000"}}, "Drive Control/Format Drive", {}, {kRangeMessage}},
            {{{kCanzoFile, "100000"}}, "Drive Control/Storage Space", {}, {kRangeMessage}},
            {{{kCanzoFile, "100000"}}, "Audio Control/Off", {}, {kRangeMessage}},
            {{{kCanzoFile, "100000"}}, "Audio Control/On", {}, {kRangeMessage}},
        });
}

TEST(StereoPlayerSheetTest, SonnelAndCanzoShowTheirOwnControlPage) {
    FakePageHost host;
    CProductPropertySheet sheet(host);
    std::vector<ProductInfo> catalog = BuildCatalog();
    sheet.Rebuild(FindProduct(catalog, "Sonnel"));
    EXPECT_NE(dynamic_cast<CSonnelTabDlg*>(sheet.ActivateTab("Control")), nullptr);
    sheet.Rebuild(FindProduct(catalog, "Canzo"));
    EXPECT_NE(dynamic_cast<CCanzoTabDlg*>(sheet.ActivateTab("Control")), nullptr);
    sheet.Close();
}

}  // namespace
}  // namespace zel
