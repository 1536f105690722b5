// The "Control" pages of the single-channel video players, driven as an operator would.
#include "pages/video/single_channel_pages.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "pages/property_sheet.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;
using Sent = FakePageHost::Sent;

constexpr char kFileMessage[] = "Enter file name or number(0-99999)";
constexpr char kFileBox[] = "Playback Control/File Name or Number";
constexpr char kOberinBox[] = "Play Control/File # (ie: type 18 for vid00018.mpg)";

struct Press {
    std::string path;
    std::string text;  // sent with a carriage return
};

struct Member {
    std::string product;
    std::function<std::unique_ptr<CPage>(IPageHost&)> create;
    std::vector<Press> presses;  // every button of the page, as it stands after initialisation
};

template <typename Page>
std::function<std::unique_ptr<CPage>(IPageHost&)> Maker() {
    return [](IPageHost& host) { return std::make_unique<Page>(host); };
}

std::vector<Press> PlaybackPresses(const std::string& listFiles) {
    return {
        {"Playback Control/Search", "1SE"},
        {"Playback Control/Play File", "1PL"},
        {"Playback Control/Loop File", "1LP"},
        {"Playback Control/Play Next", "1PN"},
        {"Playback Control/Loop Next", "1LN"},
        {"Playback Control/Stop", "RJ"},
        {"Playback Control/Play", "PL"},
        {"Playback Control/Loop", "LP"},
        {"Playback Control/Still", "ST"},
        {"Playback Control/Pause", "PA"},
        {"Playback Control/Get Status", "?P"},
        {"Playback Control/Get File Name", "?C"},
        {"Playback Control/List Files", listFiles},
    };
}

std::vector<Press> Join(std::vector<std::vector<Press>> parts) {
    std::vector<Press> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<Press> UlmarLikePresses(const std::string& firstFormat) {
    return Join({PlaybackPresses("?D"),
                 {
                     {"Relay Control/Play/Auto", "XPRL"},
                     {"Relay Control/Play/Off", "0PRL"},
                     {"Relay Control/Play/On", "1PRL"},
                     {"Relay Control/Fault/Auto", "XFRL"},
                     {"Relay Control/Fault/Off", "0FRL"},
                     {"Relay Control/Fault/On", "1FRL"},
                     {"Mute Control/Audio/Off", "0AD"},
                     {"Mute Control/Audio/On", "1AD"},
                     {"Mute Control/Video/Off", "0VD"},
                     {"Mute Control/Video/On", "1VD"},
                     {"Video Configuration/Output Format/Set", firstFormat + "VO"},
                     {"Video Configuration/Output Format/Get", "VO"},
                     {"Video Configuration/Colorspace/Set", "1VC"},
                     {"Video Configuration/Colorspace/Get", "VC"},
                     {"Media/Format", "FO"},
                 }});
}

const std::vector<Member>& Members() {
    static const std::vector<Member> members{
        {"Ulmar", Maker<CUlmarTabDlg>(), UlmarLikePresses("1080p")},
        {"Framlet", Maker<CUlmarTabDlg>(), UlmarLikePresses("1080p")},
        {"Tavish", Maker<CTavishTabDlg>(), UlmarLikePresses("1080I29")},
        {"Sorrel", Maker<CSorrelTabDlg>(),
         Join({PlaybackPresses("?D"),
               {
                   {"Video Controls/Video/Off", "0VD"},
                   {"Video Controls/Video/On", "1VD"},
                   {"Video Controls/Colorspace/RGB", "0VC"},
                   {"Video Controls/Colorspace/YUV", "1VC"},
                   {"Video Controls/Sync Green/Off", "0SG"},
                   {"Video Controls/Sync Green/On", "1SG"},
                   {"Audio Control/Audio/Off", "0AD"},
                   {"Audio Control/Audio/On", "1AD"},
                   {"Media/Format", "FO"},
               }})},
        {"Wrenna", Maker<CWrennaTabDlg>(),
         Join({PlaybackPresses("LS"),
               {
                   {"Video Controls/Colorspace/RGBHV", "0VC"},
                   {"Video Controls/Colorspace/YPbPr", "1VC"},
                   {"Video Controls/Sync On G(Y)/On", "1SG"},
                   {"Video Controls/Sync On G(Y)/Off", "0SG"},
                   {"Video Controls/Output Format/Set", "\"1080i\"VD"},
                   {"Mute Control/Video/Off", "0VD"},
                   {"Mute Control/Video/On", "1VD"},
                   {"Mute Control/Audio/Off", "0AD"},
                   {"Mute Control/Audio/On", "1AD"},
               }})},
        {"Oberin",
         Maker<COberinTabDlg>(),
         {
             {"Play Control/Search", "1SE"},
             {"Play Control/Play Next", "1PN"},
             {"Play Control/Loop Next", "1LN"},
             {"Play Control/Play", "PL"},
             {"Play Control/Loop", "LP"},
             {"Play Control/Stop", "RJ"},
             {"Play Control/Pause", "PA"},
             {"Play Control/Still", "ST"},
             {"Oberin Queries/Status", "?P"},
             {"Oberin Queries/Chapter", "?C"},
             {"General Controls/Audio/Off", "0AD"},
             {"General Controls/Audio/On", "1AD"},
             {"General Controls/Video/Off", "0VD"},
             {"General Controls/Video/On", "1VD"},
         }},
    };
    return members;
}

class SingleChannelPageTest : public ::testing::Test {
  protected:
    // Creates the member's page for its catalog product, as the sheet does.
    CPage& Open(const std::string& product,
                const std::function<std::unique_ptr<CPage>(IPageHost&)>& create) {
        page = create(host);
        page->SetProduct(FindProduct(catalog, product));
        page->Create();
        return *page;
    }
    CPage& Open(const Member& member) { return Open(member.product, member.create); }
    CPage& OpenUlmar() { return Open("Ulmar", Maker<CUlmarTabDlg>()); }

    std::string Shown(const std::string& path) const { return page->At(*page->Find(path)).text; }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    std::unique_ptr<CPage> page;
};

TEST_F(SingleChannelPageTest, EveryButtonOfEveryPlayerSendsItsTextWithCR) {
    for (const Member& member : Members()) {
        SCOPED_TRACE(member.product);
        host.window.shown.clear();
        CPage& control = Open(member);
        EXPECT_EQ(control.Title(), "Control");
        EXPECT_TRUE(test::SharedPaths(control).empty());
        std::set<std::string> pressed;
        for (const Press& press : member.presses) {
            SCOPED_TRACE(press.path);
            host.sent.clear();
            ASSERT_EQ(PressPath(control, press.path), ActionResult::Done);
            EXPECT_EQ(host.sent, (std::vector<Sent>{{press.text, true}}));
            pressed.insert(press.path);
        }
        EXPECT_EQ(pressed, test::ButtonPaths(control));
        // Only Format asks, and the default answer is OK.
        EXPECT_EQ(host.window.shown.size(), pressed.count("Media/Format"));
    }
}

TEST_F(SingleChannelPageTest, FormatAsksFirstAndCancelSendsNothing) {
    CPage& control = OpenUlmar();
    host.window.answers = {MessageAnswer::Cancel};
    PressPath(control, "Media/Format");
    ASSERT_EQ(host.window.shown.size(), 1u);
    EXPECT_EQ(host.window.shown[0].text, "Are you sure?");
    EXPECT_EQ(host.window.shown[0].caption, "ZelTerm");
    EXPECT_EQ(host.window.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(SingleChannelPageTest, PlayFileTakesANameInQuotesOrUpToFiveDigitsAsTyped) {
    CPage& control = OpenUlmar();
    struct Case {
        std::string box, sent;  // sent empty: refused with the message
    };
    const Case cases[] = {
        {"18", "18PL"},
        {"0", "0PL"},
        {"00018", "00018PL"},
        {"99999", "99999PL"},
        {"vid00018.mpg", "\"vid00018.mpg\"PL"},
        {" 18", "\" 18\"PL"},
        {"my clip ", "\"my clip \"PL"},
        {"1234567890abc", "\"1234567890abc\"PL"},
        {"caf\xE9", "\"caf\xE9\"PL"},
        {"100000", ""},
        {"123456", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        host.sent.clear();
        host.window.shown.clear();
        ASSERT_EQ(SetPath(control, kFileBox, c.box), ActionResult::Done);
        PressPath(control, "Playback Control/Play File");
        if (c.sent.empty()) {
            EXPECT_EQ(host.Messages(), std::vector<std::string>{kFileMessage});
            EXPECT_TRUE(host.sent.empty());
        } else {
            EXPECT_TRUE(host.Messages().empty());
            EXPECT_EQ(host.sent, (std::vector<Sent>{{c.sent, true}}));
        }
    }
}

struct Mapping {
    std::string entry, sent;
};

void ExpectListMapping(FakePageHost& host, CPage& control, const std::string& row,
                       const std::vector<Mapping>& mappings) {
    const Control& list = control.At(*control.Find(row + "/Set/value"));
    std::vector<std::string> entries;
    for (const Mapping& mapping : mappings) entries.push_back(mapping.entry);
    EXPECT_EQ(list.choices, entries);
    for (const Mapping& mapping : mappings) {
        SCOPED_TRACE(mapping.entry);
        host.sent.clear();
        ASSERT_EQ(SetPath(control, row + "/Set/value", mapping.entry), ActionResult::Done);
        PressPath(control, row + "/Set");
        EXPECT_EQ(host.sent, (std::vector<Sent>{{mapping.sent, true}}));
    }
}

TEST_F(SingleChannelPageTest, OutputFormatsAndColourSpacesMapToEachPlayersCodes) {
    const std::vector<Mapping> colourSpaces{{"YPbPr", "1VC"}, {"RGsB", "0VC"}};
    ExpectListMapping(host, OpenUlmar(), "Video Configuration/Output Format",
                      {{"1080p", "1080pVO"},
                       {"1080i", "1080iVO"},
                       {"720p", "720pVO"},
                       {"480p", "480pVO"},
                       {"480i", "480iVO"},
                       {"1080p(50)", "1080p50VO"},
                       {"1080i(50)", "1080i50VO"},
                       {"720p(50)", "720p50VO"},
                       {"576p", "576pVO"},
                       {"576i", "576iVO"},
                       {"1080p(23)", "1080p23VO"}});
    ExpectListMapping(host, *page, "Video Configuration/Colorspace", colourSpaces);

    ExpectListMapping(host, Open("Tavish", Maker<CTavishTabDlg>()),
                      "Video Configuration/Output Format",
                      {{"1080i", "1080I29VO"},
                       {"720p", "720P59VO"},
                       {"480p", "480PVO"},
                       {"480i", "480IVO"},
                       {"1080i(25)", "1080I25VO"},
                       {"720p(50)", "720P50VO"},
                       {"576p", "576PVO"},
                       {"576i", "576IVO"}});
    ExpectListMapping(host, *page, "Video Configuration/Colorspace", colourSpaces);

    std::vector<Mapping> wrenna;
    for (const char* entry :
         {"1080i", "720p", "480p", "1080i25-16:9", "1080i29-16:9", "1080i30-16:9", "1080i25-4:3",
          "720p50-16:9", "720p59-16:9", "720p60-16:9", "720p50-4:3", "720p59-4:3", "720p60-4:3",
          "NTSC", "PAL"}) {
        wrenna.push_back({entry, "\"" + std::string(entry) + "\"VD"});
    }
    ExpectListMapping(host, Open("Wrenna", Maker<CWrennaTabDlg>()), "Video Controls/Output Format",
                      wrenna);
}

TEST_F(SingleChannelPageTest, InitialisationSelectsTheFirstEntriesAndKeepsTheTypedFile) {
    CPage& control = OpenUlmar();
    SetPath(control, kFileBox, "42");
    SetPath(control, "Video Configuration/Output Format/Set/value", "576i");
    SetPath(control, "Video Configuration/Colorspace/Set/value", "RGsB");
    // Framlet shows the same page object; its window is created afresh.
    control.Destroy();
    control.SetProduct(FindProduct(catalog, "Framlet"));
    control.Create();
    EXPECT_EQ(Shown(kFileBox), "42");
    PressPath(control, "Video Configuration/Output Format/Set");
    PressPath(control, "Video Configuration/Colorspace/Set");
    PressPath(control, "Playback Control/Loop File");
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"1080pVO", true}, {"1VC", true}, {"42LP", true}}));
}

TEST_F(SingleChannelPageTest, SorrelTrackBarsSendOnReleaseAndTheirLabelsFollow) {
    CPage& control = Open("Sorrel", Maker<CSorrelTabDlg>());
    EXPECT_EQ(Shown("Video Controls/B/label"), "50");
    EXPECT_EQ(Shown("Video Controls/C/label"), "50");
    EXPECT_EQ(Shown("Video Controls/S/label"), "50");
    EXPECT_EQ(Shown("Audio Control/Volume/label"), "100");
    EXPECT_TRUE(control.At(*control.Find("Video Controls/B")).vertical);
    EXPECT_FALSE(control.At(*control.Find("Audio Control/Volume")).vertical);

    struct Case {
        std::string slider;
        int position;
        std::string label, sent;
    };
    const Case cases[] = {
        {"Video Controls/B", 0, "100", "100BN"},  // the top of a vertical bar
        {"Video Controls/B", 100, "0", "0BN"},          {"Video Controls/C", 30, "70", "70CO"},
        {"Video Controls/S", 99, "1", "1SA"},           {"Audio Control/Volume", 0, "0", "0%AD"},
        {"Audio Control/Volume", 100, "100", "100%AD"}, {"Audio Control/Volume", 37, "37", "37%AD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slider + " at " + std::to_string(c.position));
        host.sent.clear();
        ASSERT_EQ(SetPath(control, c.slider, std::to_string(c.position)), ActionResult::Done);
        EXPECT_EQ(Shown(c.slider + "/label"), c.label);  // while dragging
        EXPECT_TRUE(host.sent.empty());
        ASSERT_EQ(PressPath(control, c.slider), ActionResult::Done);  // released
        EXPECT_EQ(Shown(c.slider + "/label"), c.label);
        EXPECT_EQ(host.sent, (std::vector<Sent>{{c.sent, true}}));
    }
    // The positions survive the window; the labels show them again.
    control.Destroy();
    control.Create();
    EXPECT_EQ(Shown("Video Controls/S/label"), "1");
    EXPECT_EQ(Shown("Audio Control/Volume/label"), "37");
}

TEST_F(SingleChannelPageTest, OberinSendsTheFileNumberAndNothingAfterARefusedEntry) {
    CPage& control = Open("Oberin", Maker<COberinTabDlg>());
    struct Case {
        std::string box, button, sent, message;
    };
    const Case cases[] = {
        {"0", "Search", "0SE", ""},
        {"18", "Play Next", "18PN", ""},
        {"00018", "Loop Next", "18LN", ""},
        {"99999", "Search", "99999SE", ""},
        {"x", "Search", "", "Please enter an integer."},
        {"18.mpg", "Play Next", "", "Please enter an integer."},
        {"", "Search", "", "Please enter an integer."},
        {"100000", "Search", "", "Please enter an integer between 0 and 99999."},
        {"-1", "Loop Next", "", "Please enter an integer between 0 and 99999."},
        // Every button takes the entries in first, so a bad number stops the others too.
        {"x", "Play", "", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box + " " + c.button);
        // A good number first, so a refused entry could not fall back on it.
        SetPath(control, kOberinBox, "7");
        PressPath(control, "Play Control/" + c.button);
        host.sent.clear();
        host.window.shown.clear();
        ASSERT_EQ(SetPath(control, kOberinBox, c.box), ActionResult::Done);
        PressPath(control, "Play Control/" + c.button);
        if (c.sent.empty()) {
            EXPECT_EQ(host.Messages(), std::vector<std::string>{c.message});
            EXPECT_TRUE(host.sent.empty());
        } else {
            EXPECT_TRUE(host.Messages().empty());
            EXPECT_EQ(host.sent, (std::vector<Sent>{{c.sent, true}}));
        }
    }
    EXPECT_FALSE(control.Find("Play Control/Play File"));
    EXPECT_FALSE(control.Find("Play Control/Loop File"));
}

TEST_F(SingleChannelPageTest, UlmarAndFramletShareOneControlPageInTheSheet) {
    CProductPropertySheet sheet(host);
    sheet.Rebuild(FindProduct(catalog, "Ulmar"));
    CPage* ulmar = sheet.ActivateTab("Control");
    sheet.Rebuild(FindProduct(catalog, "Framlet"));
    CPage* framlet = sheet.ActivateTab("Control");
    ASSERT_NE(ulmar, nullptr);
    EXPECT_EQ(ulmar, framlet);
    EXPECT_NE(dynamic_cast<CUlmarTabDlg*>(ulmar), nullptr);
    for (const auto& [product, isRightPage] :
         std::vector<std::pair<std::string, std::function<bool(CPage*)>>>{
             {"Tavish", [](CPage* p) { return dynamic_cast<CTavishTabDlg*>(p) != nullptr; }},
             {"Sorrel", [](CPage* p) { return dynamic_cast<CSorrelTabDlg*>(p) != nullptr; }},
             {"Wrenna", [](CPage* p) { return dynamic_cast<CWrennaTabDlg*>(p) != nullptr; }},
             {"Oberin", [](CPage* p) { return dynamic_cast<COberinTabDlg*>(p) != nullptr; }},
         }) {
        SCOPED_TRACE(product);
        sheet.Rebuild(FindProduct(catalog, product));
        EXPECT_TRUE(isRightPage(sheet.ActivateTab("Control")));
    }
    sheet.Close();
}

}  // namespace
}  // namespace zel
