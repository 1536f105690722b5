// The lighting recorders' pages, driven as an operator would: the Glimra "Control" page and the
// GlimraPro and Glimra-E "Play" and "Set" pages.
#include <gtest/gtest.h>

#include <set>

#include "pages/lighting/glimra_play_page.h"
#include "pages/lighting/glimra_record_page.h"
#include "pages/lighting/glimra_set_page.h"
#include "pages/lighting/glimra_tab_dlg.h"
#include "support/page_presses.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::ExpectPresses;
using test::FakePageHost;
using test::kFileMessage;
using test::PressPath;
using test::SetPath;
using Sent = FakePageHost::Sent;

constexpr char kTooLong[] = "Please enter no more than 11 characters.";

// Play page.
constexpr char kCue[] = "Cuename, Filename or File Number/text";
constexpr char kPlay[] = "Cuename, Filename or File Number/Play";
constexpr char kPileOn[] = "Play Options/PileOn/check-box";
constexpr char kLoop[] = "Play Options/Loop/check-box";
constexpr char kCrossfade[] = "Play Options/Crossfade/check-box";
constexpr char kCrossfadeTime[] = "Play Options/Crossfade/text";
constexpr char kJamSync[] = "Play Options/SMPTE-JamSync/check-box";
constexpr char kUseStartTime[] = "Play Options/Use Start Time/check-box";
constexpr char kStartTime[] = "Play Options/Use Start Time/text";

std::vector<Sent> WithCR(const std::vector<std::string>& texts) {
    std::vector<Sent> sent;
    for (const std::string& text : texts) sent.push_back({text, true});
    return sent;
}

// One row on a fresh page of the product, for tests about one button rather than the whole page.
template <typename Page>
void ExpectPress(const std::string& productName, const test::Press& press) {
    std::string trace = press.button;
    for (const auto& [path, value] : press.set) trace += " after " + path + "=" + value;
    SCOPED_TRACE(trace);
    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    Page page(host);
    page.SetProduct(FindProduct(catalog, productName));
    page.Create();
    for (const auto& [path, value] : press.set) {
        ASSERT_EQ(SetPath(page, path, value), ActionResult::Done) << path;
    }
    ASSERT_EQ(PressPath(page, press.button), ActionResult::Done);
    EXPECT_EQ(host.sent, press.sent);
    EXPECT_EQ(host.Messages(), press.messages);
}

TEST(GlimraPagesTest, GlimraControlButtonsSendTheFileAsTypedAndTheCrossfadeDigits) {
    const std::vector<std::pair<std::string, std::string>> crossfade{
        {"Play Control/CrossFade Time", "00:00:01.00"}};
    const std::vector<std::pair<std::string, std::string>> noSearch{
        {"Play Control/Send Search in Addition to 'Loop' and 'Play' commands", "0"}};
    ExpectPresses<CGlimraTabDlg>(
        "Glimra",
        {
            {{}, "Play Control/SelectCue", WithCR({"1SE"})},
            {{{"Play Control/File #", "vid 7.dmx"}},
             "Play Control/SelectCue",
             WithCR({"vid 7.dmxSE"})},
            {{{"Play Control/File #", ""}}, "Play Control/SelectCue", WithCR({"SE"})},
            // Search first, then play; a zero crossfade is left out.
            {{}, "Play Control/Play", WithCR({"1SE", "PL"})},
            {crossfade, "Play Control/Play", WithCR({"1SE", "00000100PL"})},
            {noSearch, "Play Control/Play", WithCR({"PL"})},
            {{}, "Play Control/Loop", WithCR({"1SE", "LP"})},
            {{{"Play Control/File #", "12"}, {"Play Control/CrossFade Time", "00:00:00.50"}},
             "Play Control/Loop",
             WithCR({"12SE", "00000050LP"})},
            {noSearch, "Play Control/Loop", WithCR({"LP"})},
            {{}, "Play Control/Stop", WithCR({"RJ"})},
            {{}, "Play Control/PileOn", WithCR({"1PO"})},
            {{{"Play Control/File #", "0042"}}, "Play Control/PileOn+Loop", WithCR({"0042LO"})},
            {{}, "Record Control/Record", WithCR({"RR"})},
            {{}, "Record Control/Stop", WithCR({"RJ"})},
            {{}, "DMX FeedThrough/On", WithCR({"1FT"})},
            {{}, "DMX FeedThrough/Off", WithCR({"0FT"})},
            // Offset and crossfade both go out, zero or not.
            {{}, "SMPTE Offset/ChasePlay", WithCR({"0000000000000000CP"})},
            {{{"SMPTE Offset/ChasePlay/value", "01:00:00.00"},
              {"Play Control/CrossFade Time", "00:00:02.00"}},
             "SMPTE Offset/ChasePlay",
             WithCR({"0100000000000200CP"})},
        });
}

TEST(GlimraPagesTest, PlayPageButtonsSendOneTextPerTickedUniverseInOrder) {
    const std::vector<std::pair<std::string, std::string>> twoAndFour{{"Universe/4", "1"},
                                                                      {"Universe/2", "1"}};
    ExpectPresses<CGlimraProTabDlg>(
        "GlimraPro",
        {
            {{}, kPlay, WithCR({"1u1PL"})},
            {twoAndFour, kPlay, WithCR({"1u1PL", "1u2PL", "1u4PL"})},
            {{{kCue, "show1"}, {"Universe/1", "0"}, {"Universe/3", "1"}},
             kPlay,
             WithCR({"\"show1\"u3PL"})},
            {{}, "Cuename, Filename or File Number/Clear Cue", WithCR({"1u1CL"})},
            {{{kCue, "12"}, {"Universe/2", "1"}},
             "Cuename, Filename or File Number/Clear Cue",
             WithCR({"12u1CL", "12u2CL"})},
            {{}, "Cuename, Filename or File Number/Still", WithCR({"1u1SC"})},
            {twoAndFour, "Cuename, Filename or File Number/Still",
             WithCR({"1u1SC", "1u2SC", "1u4SC"})},
            {{}, "Universe Controls/Stop", WithCR({"u1RJ"})},
            {twoAndFour, "Universe Controls/Stop", WithCR({"u1RJ", "u2RJ", "u4RJ"})},
            {{}, "Universe Controls/Resume", WithCR({"u1PL"})},
            {twoAndFour, "Universe Controls/Resume", WithCR({"u1PL", "u2PL", "u4PL"})},
            {{}, "Universe Controls/Still", WithCR({"u1ST"})},
            {{{"Universe/3", "1"}}, "Universe Controls/Still", WithCR({"u1ST", "u3ST"})},
        });
    ExpectPresses<CGlimraETabDlg>(
        "GlimraE", {
                       {{}, kPlay, WithCR({"1u1PL"})},
                       {{{kCue, "show1"}}, kPlay, WithCR({"\"show1\"u1PL"})},
                       {{}, "Cuename, Filename or File Number/Clear Cue", WithCR({"1u1CL"})},
                       {{}, "Cuename, Filename or File Number/Still", WithCR({"1u1SC"})},
                       {{}, "Universe Controls/Stop", WithCR({"u1RJ"})},
                       {{}, "Universe Controls/Resume", WithCR({"u1PL"})},
                       {{}, "Universe Controls/Still", WithCR({"u1ST"})},
                   });
}

TEST(GlimraPagesTest, CueCommandsGoOutWithoutACueAfterTheMessage) {
    for (const char* cue : {"", "123456"}) {
        SCOPED_TRACE(cue);
        for (const auto& [button, letters] : std::vector<std::pair<std::string, std::string>>{
                 {"Play", "PL"}, {"Clear Cue", "CL"}, {"Still", "SC"}}) {
            ExpectPress<CGlimraProTabDlg>("GlimraPro",
                                          {{{kCue, cue}, {"Universe/2", "1"}},
                                           "Cuename, Filename or File Number/" + button,
                                           WithCR({"u1" + letters, "u2" + letters}),
                                           {kFileMessage}});
        }
    }
}

struct VerbCase {
    bool jamSync, pileOn, loop;
    std::string verb;
};

TEST(GlimraPagesTest, PlayVerbFollowsJamSyncPileOnAndLoopOnBothRecorders) {
    const VerbCase cases[] = {
        {false, false, false, "PL"}, {false, false, true, "LP"}, {false, true, false, "PO"},
        {false, true, true, "LO"},   {true, false, false, "CP"}, {true, false, true, "CP"},
        {true, true, false, "PC"},   {true, true, true, "PC"},
    };
    for (const VerbCase& c : cases) {
        const test::Press press{{{kCue, "12"},
                                 {kJamSync, c.jamSync ? "1" : "0"},
                                 {kPileOn, c.pileOn ? "1" : "0"},
                                 {kLoop, c.loop ? "1" : "0"}},
                                kPlay,
                                WithCR({"12u1" + c.verb})};
        ExpectPress<CGlimraProTabDlg>("GlimraPro", press);
        ExpectPress<CGlimraETabDlg>("GlimraE", press);
    }
}

TEST(GlimraPagesTest, PlayPrefixesTheCrossfadeAndWhileChasingTheStartTime) {
    const std::vector<std::pair<std::string, std::string>> times{{kStartTime, "00:01:00.00"},
                                                                 {kCrossfadeTime, "00:00:02.00"}};
    auto with = [&](std::vector<std::pair<std::string, std::string>> ticks) {
        ticks.insert(ticks.begin(), times.begin(), times.end());
        return ticks;
    };
    const test::Press presses[] = {
        {with({}), kPlay, WithCR({"1u1PL"})},
        {with({{kCrossfade, "1"}}), kPlay, WithCR({"000002001u1PL"})},
        {with({{kCrossfade, "1"}, {kCrossfadeTime, "00:00:01.50"}}), kPlay,
         WithCR({"000001501u1PL"})},
        {with({{kCrossfade, "1"}, {kLoop, "1"}}), kPlay, WithCR({"000002001u1LP"})},
        {with({{kJamSync, "1"}, {kUseStartTime, "1"}}), kPlay, WithCR({"00010000000002001u1CP"})},
        {with({{kJamSync, "1"}, {kPileOn, "1"}, {kUseStartTime, "1"}}), kPlay,
         WithCR({"00010000000002001u1PC"})},
        // Chasing without the start time: the crossfade alone, when ticked.
        {with({{kJamSync, "1"}, {kCrossfade, "1"}}), kPlay, WithCR({"000002001u1CP"})},
        {with({{kJamSync, "1"}}), kPlay, WithCR({"1u1CP"})},
        // Not chasing, the start time is not sent; its crossfade still is.
        {with({{kUseStartTime, "1"}}), kPlay, WithCR({"000002001u1PL"})},
        {with({{kUseStartTime, "1"}, {kCrossfade, "0"}}), kPlay, WithCR({"1u1PL"})},
        // Times go out with only the separators taken out.
        {{{kCrossfade, "1"}, {kCrossfadeTime, "1:2"}}, kPlay, WithCR({"121u1PL"})},
    };
    for (const test::Press& press : presses) ExpectPress<CGlimraProTabDlg>("GlimraPro", press);
}

class GlimraPageTest : public ::testing::Test {
  protected:
    template <typename Page>
    Page& Open(const std::string& product) {
        auto created = std::make_unique<Page>(host);
        Page& opened = *created;
        page = std::move(created);
        page->SetProduct(FindProduct(catalog, product));
        page->Create();
        return opened;
    }
    const Control& At(const std::string& path) const { return page->At(*page->Find(path)); }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    std::unique_ptr<CPage> page;
};

TEST_F(GlimraPageTest, ChasingWithAStartTimeTicksCrossfadeAndSoDoesTickingUseStartTime) {
    CPage& play = Open<CGlimraProTabDlg>("GlimraPro");
    ASSERT_EQ(SetPath(play, kUseStartTime, "1"), ActionResult::Done);
    EXPECT_TRUE(At(kCrossfade).checked);
    // Unticking it leaves Crossfade as it is.
    SetPath(play, kUseStartTime, "0");
    EXPECT_TRUE(At(kCrossfade).checked);

    SetPath(play, kCrossfade, "0");
    SetPath(play, kUseStartTime, "1");
    SetPath(play, kCrossfade, "0");
    SetPath(play, kJamSync, "1");
    PressPath(play, kPlay);
    EXPECT_TRUE(At(kCrossfade).checked);
    EXPECT_EQ(host.sent, WithCR({"00000000000000001u1CP"}));
}

TEST_F(GlimraPageTest, NoUniverseTickedSendsNothingPerUniverse) {
    CPage& play = Open<CGlimraProTabDlg>("GlimraPro");
    SetPath(play, "Universe/1", "0");
    for (const std::string& button : test::ButtonPaths(play)) {
        SCOPED_TRACE(button);
        ASSERT_EQ(PressPath(play, button), ActionResult::Done);
    }
    CPage& set = Open<CGlimraProSetTabDlg>("GlimraPro");
    SetPath(set, "Universe/1", "0");
    for (const std::string& button : test::ButtonPaths(set)) {
        SCOPED_TRACE(button);
        ASSERT_EQ(PressPath(set, button), ActionResult::Done);
    }
    // Only the priorities go to all universes.
    EXPECT_EQ(host.sent, WithCR({"0PP", "1PP"}));
    EXPECT_TRUE(host.Messages().empty());
}

TEST(GlimraPagesTest, SetPageForcesZeroPaddedValuesPerUniverse) {
    const std::vector<std::pair<std::string, std::string>> oneAndThree{{"Universe/3", "1"}};
    auto force = [](std::string channel, std::string value) {
        return std::vector<std::pair<std::string, std::string>>{
            {"Force (Hold) Channel Value/Channel", std::move(channel)},
            {"Force (Hold) Channel Value/Value", std::move(value)}};
    };
    const char* set = "Force (Hold) Channel Value/Set";
    ExpectPresses<CGlimraProSetTabDlg>(
        "GlimraPro",
        {
            {{}, set, WithCR({"001000u1FV"})},
            {force("7", "255"), set, WithCR({"007255u1FV"})},
            {force("1000", "5"), set, WithCR({"1000005u1FV"})},
            {force("", "12"), set, WithCR({"000012u1FV"})},
            {force("07", "ab"), set, WithCR({"0070abu1FV"})},
            {oneAndThree, set, WithCR({"001000u1FV", "001000u3FV"})},
            {{}, "Force (Hold) Channel Value/Clear All Sets", WithCR({"u1FC"})},
            {oneAndThree, "Force (Hold) Channel Value/Clear All Sets", WithCR({"u1FC", "u3FC"})},
            {{}, "DMX FeedThrough/On", WithCR({"1u1FT"})},
            {{{"Universe/4", "1"}, {"Universe/2", "1"}},
             "DMX FeedThrough/On",
             WithCR({"1u1FT", "1u2FT", "1u4FT"})},
            {{}, "DMX FeedThrough/Off", WithCR({"0u1FT"})},
            {oneAndThree, "DMX FeedThrough/Off", WithCR({"0u1FT", "0u3FT"})},
            {oneAndThree, "PileOn Setting (All Universes)/Highest Takes Priority", WithCR({"0PP"})},
            {oneAndThree, "PileOn Setting (All Universes)/Last Takes Priority", WithCR({"1PP"})},
        });
    ExpectPresses<CGlimraESetTabDlg>(
        "GlimraE",
        {
            {force("7", "255"), set, WithCR({"007255u1FV"})},
            {{}, "Force (Hold) Channel Value/Clear All Sets", WithCR({"u1FC"})},
            {{}, "DMX FeedThrough/On", WithCR({"1u1FT"})},
            {{}, "DMX FeedThrough/Off", WithCR({"0u1FT"})},
            {{}, "PileOn Setting (All Universes)/Highest Takes Priority", WithCR({"0PP"})},
            {{}, "PileOn Setting (All Universes)/Last Takes Priority", WithCR({"1PP"})},
        });
}

TEST_F(GlimraPageTest, SetPageResetsChannelAndValueEachTimeItIsShown) {
    CPage& set = Open<CGlimraProSetTabDlg>("GlimraPro");
    SetPath(set, "Force (Hold) Channel Value/Channel", "7");
    SetPath(set, "Force (Hold) Channel Value/Value", "255");
    SetPath(set, "Universe/2", "1");
    set.Destroy();
    set.Create();
    EXPECT_EQ(At("Force (Hold) Channel Value/Channel").text, "1");
    EXPECT_EQ(At("Force (Hold) Channel Value/Value").text, "0");
    EXPECT_TRUE(At("Universe/2").checked);  // the universes are kept
}

struct VariantCase {
    std::string name;
    std::function<std::unique_ptr<CPage>(IPageHost&)> create;
    std::string title;
    std::set<std::string> hidden;
};

template <typename Page>
std::function<std::unique_ptr<CPage>(IPageHost&)> Maker() {
    return [](IPageHost& host) { return std::make_unique<Page>(host); };
}

std::set<std::string> RecordRows(std::initializer_list<int> universes,
                                 std::initializer_list<const char*> parts) {
    std::set<std::string> paths;
    for (int universe : universes) {
        for (const char* part : parts) {
            paths.insert("Filename or File Number/Record Universe" + std::to_string(universe) +
                         " Channels/" + part);
        }
    }
    return paths;
}

TEST(GlimraPagesTest, GlimraEPagesHideTheUniverseChoicesAndShowAllElse) {
    const std::set<std::string> universeBoxes{"Universe/1", "Universe/2", "Universe/3",
                                              "Universe/4"};
    std::set<std::string> recordHidden = RecordRows({2, 3, 4}, {"label", "check-box", "text"});
    recordHidden.insert("Filename or File Number/Record Universe1 Channels/check-box");
    const VariantCase cases[] = {
        {"GlimraPro", Maker<CGlimraProTabDlg>(), "Play", {}},
        {"GlimraPro", Maker<CGlimraProRecTabDlg>(), "Record", {}},
        {"GlimraPro", Maker<CGlimraProSetTabDlg>(), "Set", {}},
        {"GlimraE", Maker<CGlimraETabDlg>(), "Play", universeBoxes},
        {"GlimraE", Maker<CGlimraERecTabDlg>(), "Record", recordHidden},
        {"GlimraE", Maker<CGlimraESetTabDlg>(), "Set", universeBoxes},
        {"Glimra", Maker<CGlimraTabDlg>(), "Control", {}},
    };
    std::vector<ProductInfo> catalog = BuildCatalog();
    for (const VariantCase& c : cases) {
        SCOPED_TRACE(c.name + " " + c.title);
        FakePageHost host;
        std::unique_ptr<CPage> page = c.create(host);
        page->SetProduct(FindProduct(catalog, c.name));
        page->Create();
        EXPECT_EQ(page->Title(), c.title);
        EXPECT_TRUE(test::SharedPaths(*page).empty());
        std::set<std::string> hidden;
        for (const Control& control : page->Controls()) {
            if (!control.visible) hidden.insert(control.path);
        }
        EXPECT_EQ(hidden, c.hidden);
        for (const std::string& path : c.hidden) {
            EXPECT_EQ(test::SetPath(*page, path, "1"), ActionResult::Hidden) << path;
        }
    }
}

TEST(GlimraPagesTest, PagesStartWithTheirInitialValues) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    auto expect = [&](CPage& page, const std::string& product,
                      const std::vector<std::pair<std::string, std::string>>& texts,
                      const std::vector<std::pair<std::string, bool>>& ticks) {
        SCOPED_TRACE(product + " " + page.Title());
        page.SetProduct(FindProduct(catalog, product));
        page.Create();
        for (const auto& [path, text] : texts) {
            ASSERT_TRUE(page.Find(path)) << path;
            EXPECT_EQ(page.At(*page.Find(path)).text, text) << path;
        }
        for (const auto& [path, checked] : ticks) {
            ASSERT_TRUE(page.Find(path)) << path;
            EXPECT_EQ(page.At(*page.Find(path)).checked, checked) << path;
        }
        for (const Control& control : page.Controls()) {
            bool isTime = control.text == "00:00:00.00";
            EXPECT_EQ(control.maxLength, isTime ? 11u : 0u) << control.path;
        }
    };
    CGlimraTabDlg control(host);
    expect(control, "Glimra",
           {{"Play Control/File #", "1"},
            {"Play Control/CrossFade Time", "00:00:00.00"},
            {"SMPTE Offset/ChasePlay/value", "00:00:00.00"}},
           {{"Play Control/Send Search in Addition to 'Loop' and 'Play' commands", true}});
    CGlimraProTabDlg play(host);
    expect(play, "GlimraPro",
           {{kCue, "1"}, {kCrossfadeTime, "00:00:00.00"}, {kStartTime, "00:00:00.00"}},
           {{"Universe/1", true},
            {"Universe/2", false},
            {"Universe/3", false},
            {"Universe/4", false},
            {kPileOn, false},
            {kLoop, false},
            {kCrossfade, false},
            {kJamSync, false},
            {kUseStartTime, false}});
    CGlimraERecTabDlg record(host);
    std::vector<std::pair<std::string, std::string>> channels{
        {"Cue Name, Filename, or File Number/text", ""}};
    for (int universe = 1; universe <= 4; ++universe) {
        channels.push_back({"Filename or File Number/Record Universe" + std::to_string(universe) +
                                " Channels/text",
                            "1-512"});
    }
    expect(record, "GlimraE", channels,
           {{"Filename or File Number/Record Universe1 Channels/check-box", true},
            {"Filename or File Number/Record Universe2 Channels/check-box", false},
            {"Cue Name, Filename, or File Number/Stamp file with incoming SMPTE Timecode", false}});
}

// Every button takes in the whole page first: a time longer than its box allows stops it.
TEST(GlimraPagesTest, AnOverLongTimeIsRefusedAndNothingIsSent) {
    const std::string twelve = "00:00:00.000";
    std::vector<test::Press> control;
    for (const char* box : {"Play Control/CrossFade Time", "SMPTE Offset/ChasePlay/value"}) {
        for (const char* button : {"Play Control/Play", "Play Control/SelectCue",
                                   "SMPTE Offset/ChasePlay", "DMX FeedThrough/On"}) {
            control.push_back({{{box, twelve}}, button, {}, {kTooLong}});
        }
    }
    control.push_back(
        {{{"Play Control/CrossFade Time", "00:00:00.00 "}}, "Play Control/Loop", {}, {kTooLong}});
    // Eleven characters are fine.
    control.push_back({{{"Play Control/CrossFade Time", "99:99:99.99"}},
                       "Play Control/Loop",
                       WithCR({"1SE", "99999999LP"})});
    // The rest of the page's buttons stop as well.
    for (const char* button :
         {"Play Control/PileOn", "Play Control/PileOn+Loop", "Play Control/Stop",
          "Record Control/Record", "Record Control/Stop", "DMX FeedThrough/Off"}) {
        control.push_back({{{"Play Control/CrossFade Time", twelve}}, button, {}, {kTooLong}});
    }
    ExpectPresses<CGlimraTabDlg>("Glimra", control);

    std::vector<test::Press> play;
    for (const char* box : {kCrossfadeTime, kStartTime}) {
        for (const char* button :
             {kPlay, "Cuename, Filename or File Number/Clear Cue",
              "Cuename, Filename or File Number/Still", "Universe Controls/Stop",
              "Universe Controls/Resume", "Universe Controls/Still"}) {
            play.push_back({{{kCrossfade, "1"}, {box, twelve}}, button, {}, {kTooLong}});
        }
    }
    ExpectPresses<CGlimraProTabDlg>("GlimraPro", play);
    ExpectPresses<CGlimraETabDlg>("GlimraE", play);
}

}  // namespace
}  // namespace zel
