// The "Control" pages of the multi-channel MP3 players, driven as an operator would.
#include "pages/audio/mp3_pages.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "pages/audio/brisca_tab_dlg.h"
#include "pages/property_sheet.h"
#include "support/page_presses.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

using test::Choices;
using test::ExpectPresses;
using test::FakePageHost;
using test::kFileMessage;
using test::Press;
using test::PressPath;
using test::SetPath;
using test::WithCR;
using Sent = FakePageHost::Sent;

constexpr char kFile[] = "Play Control/File Name or Number:";
constexpr char kDestination[] = "Play Control/Destination:";
constexpr char kDuration[] = "XFade/Duration";
constexpr char kCrossfadeDestination[] = "XFade/Destination";
constexpr char kVolume[] = "Audio Control/Volume";
constexpr char kPin[] = "Front Panel/4 Digit PIN #:";
constexpr char kFormatQuestion[] = "Are you sure you wish to format your compact flash card?";

std::vector<Press> Join(std::vector<std::vector<Press>> parts) {
    std::vector<Press> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The buttons every member of the family has, with destinations every member offers.
std::vector<Press> CommonPresses(const std::string& channelList) {
    return {
        // Play, Loop and Toggle go out without a file the box refuses, and say nothing.
        {{}, "Play Control/Play", WithCR("P*PL")},
        {{{kFile, "intro"}}, "Play Control/Play", WithCR("\"intro\"P*PL")},
        {{{kFile, "00123"}, {kDestination, "Ch. Pair 3"}},
         "Play Control/Loop",
         WithCR("00123P3LP")},
        {{{kFile, "123456"}, {kDestination, "Ch. Group 13"}}, "Play Control/Loop", WithCR("G13LP")},
        {{{kFile, "12a"}, {kDestination, "Ch. Pair 8"}},
         "Play Control/Toggle",
         WithCR("\"12a\"P8PT")},
        {{{kFile, "9"}}, "Play Control/Toggle", WithCR("9P*PT")},
        // Search and Start Ch. Playlist need a file.
        {{{kFile, "5"}, {kDestination, "Ch. Group 1"}}, "Play Control/Search", WithCR("5G1SE")},
        {{}, "Play Control/Search", {}, {kFileMessage}},
        {{{kFile, "123456"}}, "Play Control/Search", {}, {kFileMessage}},
        {{{kFile, "99999"}, {kDestination, "Ch. Pair 1"}},
         "Play Control/Start Ch. Playlist",
         WithCR("99999P1PO")},
        {{{kFile, "list one"}}, "Play Control/Start Ch. Playlist", WithCR("\"list one\"P*PO")},
        {{}, "Play Control/Start Ch. Playlist", {}, {kFileMessage}},
        {{{kFile, "7"}, {kDestination, "Ch. Group 13"}}, "Play Control/Stop", WithCR("G13RJ")},
        {{}, "Play Control/Pause", WithCR("P*PA")},
        {{{kDestination, "Ch. Pair 2"}}, "Play Control/Pause", WithCR("P2PA")},
        // The volume goes to the channel list's choice, never to the destination's.
        {{}, "Audio Control/Set Vol", WithCR("10P*AD")},
        {{{channelList, "Ch. Pair 2"}, {kVolume, "7"}, {kDestination, "Ch. Pair 5"}},
         "Audio Control/Set Vol",
         WithCR("7P2AD")},
        {{{kVolume, "0"}}, "Audio Control/Set Vol", WithCR("0P*AD")},
        {{{channelList, "Ch. Pair 8"}}, "Audio Control/Mute", WithCR("MP8AD")},
        {{}, "Audio Control/Unmute", WithCR("UP*AD")},
        {{}, "Acknowledge Mode/Enable Simple Ack Mode", WithCR("RAK")},
        {{{kDestination, "Ch. Pair 4"}}, "Status/Get Ch. Status", WithCR("P*?P")},
        {{}, "Status/List Files", WithCR("?D")},
    };
}

// Single channels, on the members that have them.
std::vector<Press> SingleChannelPresses() {
    return {
        {{{kFile, "12"}, {kDestination, "Ch. 3"}}, "Play Control/Play", WithCR("12C3PL")},
        {{{kDestination, "Ch. 16"}}, "Play Control/Stop", WithCR("C16RJ")},
        {{{"Audio Control/Channel:", "Ch. 1"}, {kVolume, "3"}},
         "Audio Control/Set Vol",
         WithCR("3C1AD")},
        {{{"Audio Control/Channel:", "Ch. Group 13"}}, "Audio Control/Unmute", WithCR("UG13AD")},
    };
}

std::vector<Press> MenuLockAndPinPresses() {
    return {
        {{}, "Front Panel/Menu Lock:/On", WithCR("L1KL")},
        {{}, "Front Panel/Menu Lock:/Off", WithCR("L0KL")},
        {{{kPin, "12"}}, "Front Panel/Set", WithCR("S1200KL")},
        {{{kPin, "1234"}}, "Front Panel/Set", WithCR("S1234KL")},
        {{{kPin, "123456"}}, "Front Panel/Set", WithCR("S1234KL")},
        {{}, "Front Panel/Set", WithCR("S0000KL")},
    };
}

const std::vector<Press> kButtonLockPresses = {
    {{}, "Front Panel/Button Lock:/On", WithCR("B0KL")},
    {{}, "Front Panel/Button Lock:/Off", WithCR("B1KL")},
};

TEST(Mp3PagesTest, RovantEveryButtonSendsItsTextWithCR) {
    ExpectPresses<CRovantTabDlg>(
        "Rovant",
        Join({CommonPresses("Audio Control/Channel:"),
              SingleChannelPresses(),
              {
                  {{{kFile, "4"}, {kDestination, "Ch. 2"}}, "Play Control/SPlay", WithCR("4C2SP")},
                  {{{kFile, ""}}, "Play Control/SPlay", WithCR("P*SP")},
                  {{{kFile, "7"}, {kDestination, "Ch. 1"}},
                   "Play Control/Play Next",
                   WithCR("7C1PN")},
                  {{{kFile, "999999"}}, "Play Control/Play Next", {}, {kFileMessage}},
                  {{}, "XFade/Start Crossfade", WithCR("2000P*XF")},
                  {{{kDuration, "500"}, {kCrossfadeDestination, "Ch. 16"}},
                   "XFade/Start Crossfade",
                   WithCR("500C16XF")},
                  {{{kCrossfadeDestination, "Ch. Pair 3"}},
                   "XFade/Start Crossfade",
                   WithCR("2000P3XF")},
                  {{{kCrossfadeDestination, "Ch. Group 13"}},
                   "XFade/Start Crossfade",
                   WithCR("2000G13XF")},
                  {{}, "XFade/Enable XF", WithCR("E1XF")},
                  {{}, "XFade/Disable XF", WithCR("E0XF")},
              }}));
}

TEST(Mp3PagesTest, PavaneEveryButtonSendsItsTextWithCR) {
    ExpectPresses<CPavaneTabDlg>("Pavane", Join({CommonPresses("Audio Control/Channel:"),
                                                 SingleChannelPresses(), MenuLockAndPinPresses()}));
}

TEST(Mp3PagesTest, MeliskEveryButtonSendsItsTextWithCR) {
    ExpectPresses<CMeliskTabDlg>(
        "Melisk", Join({CommonPresses("Audio Control/Channel:"), SingleChannelPresses(),
                        kButtonLockPresses, MenuLockAndPinPresses()}));
}

TEST(Mp3PagesTest, BriscaEEveryButtonSendsItsTextWithCR) {
    ExpectPresses<CBriscaETabDlg>("Brisca-E", Join({CommonPresses("Audio Control/Ch Pair:"),
                                                    kButtonLockPresses, MenuLockAndPinPresses()}));
}

std::vector<std::string> Numbered(const std::string& prefix, int count) {
    std::vector<std::string> entries;
    for (int number = 1; number <= count; ++number) {
        entries.push_back(prefix + " " + std::to_string(number));
    }
    return entries;
}

std::vector<std::string> Concatenated(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class Mp3PageTest : public ::testing::Test {
  protected:
    template <typename Page>
    CPage& Open(const std::string& product) {
        page = std::make_unique<Page>(host);
        page->SetProduct(FindProduct(catalog, product));
        page->Create();
        return *page;
    }
    std::string Shown(const std::string& path) const { return page->At(*page->Find(path)).text; }
    void Send(const std::string& button) {
        host.sent.clear();
        ASSERT_EQ(PressPath(*page, button), ActionResult::Done) << button;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    std::unique_ptr<CPage> page;
};

TEST_F(Mp3PageTest, EveryDestinationHasItsCodeInEveryListThatOffersIt) {
    const std::vector<std::string> everyDestination = Concatenated(
        {{"All"}, Numbered("Ch.", 16), Numbered("Ch. Pair", 8), Numbered("Ch. Group", 13)});
    ASSERT_EQ(everyDestination.size(), 38u);
    CPage& rovant = Open<CRovantTabDlg>("Rovant");
    EXPECT_EQ(Choices(rovant, kDestination), everyDestination);
    EXPECT_EQ(Choices(rovant, "Audio Control/Channel:"), everyDestination);
    EXPECT_EQ(Choices(rovant, kCrossfadeDestination), everyDestination);
    for (int index = 0; index < 38; ++index) {
        const std::string& entry = everyDestination[index];
        SCOPED_TRACE(entry);
        std::string code = index == 0    ? "P*"
                           : index <= 16 ? "C" + std::to_string(index)
                           : index <= 24 ? "P" + std::to_string(index - 16)
                                         : "G" + std::to_string(index - 24);
        ASSERT_EQ(SetPath(rovant, kDestination, entry), ActionResult::Done);
        ASSERT_EQ(SetPath(rovant, "Audio Control/Channel:", entry), ActionResult::Done);
        ASSERT_EQ(SetPath(rovant, kCrossfadeDestination, entry), ActionResult::Done);
        Send("Play Control/Stop");
        EXPECT_EQ(host.sent, WithCR(code + "RJ"));
        Send("Audio Control/Mute");
        EXPECT_EQ(host.sent, WithCR("M" + code + "AD"));
        Send("XFade/Start Crossfade");
        EXPECT_EQ(host.sent, WithCR("2000" + code + "XF"));
    }

    // The Brisca-E's outputs go in pairs.
    CPage& briscaE = Open<CBriscaETabDlg>("Brisca-E");
    const std::vector<std::string> pairs = Numbered("Ch. Pair", 8);
    EXPECT_EQ(Choices(briscaE, kDestination),
              Concatenated({{"All"}, pairs, Numbered("Ch. Group", 13)}));
    EXPECT_EQ(Choices(briscaE, "Audio Control/Ch Pair:"), Concatenated({{"All"}, pairs}));
    EXPECT_FALSE(briscaE.Find("Audio Control/Channel:"));
}

TEST_F(Mp3PageTest, EachMemberShowsItsOwnControls) {
    const std::vector<std::string> rovantOnly = {"Play Control/SPlay", "Play Control/Play Next",
                                                 kDuration, "XFade/Start Crossfade"};
    const std::vector<std::string> frontPanel = {"Front Panel/Menu Lock:/On", kPin,
                                                 "Front Panel/Set"};
    struct Member {
        std::string product;
        std::function<CPage&()> open;
        bool rovant, frontPanel, buttonLock;
    };
    const Member members[] = {
        {"Rovant", [&]() -> CPage& { return Open<CRovantTabDlg>("Rovant"); }, true, false, false},
        {"Pavane", [&]() -> CPage& { return Open<CPavaneTabDlg>("Pavane"); }, false, true, false},
        {"Melisk", [&]() -> CPage& { return Open<CMeliskTabDlg>("Melisk"); }, false, true, true},
        {"Brisca-E", [&]() -> CPage& { return Open<CBriscaETabDlg>("Brisca-E"); }, false, true,
         true},
    };
    for (const Member& member : members) {
        SCOPED_TRACE(member.product);
        CPage& control = member.open();
        EXPECT_EQ(control.Title(), "Control");
        for (const std::string& path : rovantOnly) {
            EXPECT_EQ(control.Find(path).has_value(), member.rovant) << path;
        }
        for (const std::string& path : frontPanel) {
            EXPECT_EQ(control.Find(path).has_value(), member.frontPanel) << path;
        }
        EXPECT_EQ(control.Find("Front Panel/Button Lock:/On").has_value(), member.buttonLock);
        EXPECT_EQ(Shown(std::string(kVolume) + "/label"), "10");
        EXPECT_EQ(control.At(*control.Find(kDestination)).selected, 0);  // "All"
    }
}

TEST_F(Mp3PageTest, VolumeLabelFollowsTheSliderAndOnlySetVolSends) {
    CPage& control = Open<CRovantTabDlg>("Rovant");
    const Control& slider = control.At(*control.Find(kVolume));
    EXPECT_EQ(slider.minimum, 0);
    EXPECT_EQ(slider.maximum, 10);
    ASSERT_EQ(SetPath(control, kVolume, "4"), ActionResult::Done);
    EXPECT_EQ(Shown(std::string(kVolume) + "/label"), "4");
    ASSERT_EQ(PressPath(control, kVolume), ActionResult::Done);  // let go
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(SetPath(control, kVolume, "11"), ActionResult::BadValue);
    Send("Audio Control/Set Vol");
    EXPECT_EQ(host.sent, WithCR("4P*AD"));
}

TEST_F(Mp3PageTest, CrossfadeSettingsAreResetWhenThePageIsCreatedAgain) {
    CPage& control = Open<CRovantTabDlg>("Rovant");
    SetPath(control, kDuration, "750");
    SetPath(control, kCrossfadeDestination, "Ch. Group 2");
    SetPath(control, kDestination, "Ch. 9");
    SetPath(control, kFile, "33");
    control.Destroy();
    control.Create();
    EXPECT_EQ(Shown(kDuration), "2000");
    Send("XFade/Start Crossfade");
    EXPECT_EQ(host.sent, WithCR("2000P*XF"));
    // What the operator chose elsewhere on the page stays.
    Send("Play Control/Play");
    EXPECT_EQ(host.sent, WithCR("33C9PL"));
}

constexpr char kBriscaFile[] = "File #";
constexpr char kChannel[] = "Channel #";
constexpr char kAppend[] = "Append file number to Play and Loop Commands";
constexpr char kAckMode[] = "Acknowledge Mode/Set/value";
constexpr char kAckValue[] = "Acknowledge Mode/Offset or Variable";
constexpr char kRangeMessage[] = "Please enter an integer between 0 and 99999.";

TEST(BriscaPageTest, EveryButtonSendsItsTextWithCR) {
    ExpectPresses<CBriscaTabDlg>(
        "Brisca",
        {
            {{}, "Play", WithCR("*PL")},
            {{{kChannel, "3"}, {kBriscaFile, "42"}}, "Play", WithCR("3PL")},
            {{{kChannel, "3"}, {kBriscaFile, "42"}, {kAppend, "1"}}, "Play", WithCR("423PL")},
            {{{kAppend, "1"}}, "Loop", WithCR("0*LP")},
            {{{kChannel, "8"}, {kBriscaFile, "7"}}, "Loop", WithCR("8LP")},
            {{}, "Stop", WithCR("*RJ")},
            {{{kChannel, "1"}}, "Stop", WithCR("1RJ")},
            // Search always takes the file, in decimal.
            {{}, "Search", WithCR("0*SE")},
            {{{kChannel, "5"}, {kBriscaFile, "00017"}}, "Search", WithCR("175SE")},
            {{{kBriscaFile, "99999"}}, "Search", WithCR("99999*SE")},
            {{{kChannel, "2"}}, "Audio Control/Off", WithCR("02AD")},
            {{}, "Audio Control/On", WithCR("1*AD")},
            {{}, "Front Buttons/On", WithCR("1KL")},
            {{}, "Front Buttons/Off", WithCR("0KL")},
            {{}, "Acknowledge Mode/Set", WithCR("RAK")},
            {{{kAckValue, "0x01"}}, "Acknowledge Mode/Set", WithCR("RAK")},
            {{{kAckMode, "Flag Offset"}, {kAckValue, "0x01"}},
             "Acknowledge Mode/Set",
             WithCR("0x01FAK")},
            {{{kAckMode, "Variable Offset"}, {kAckValue, "0x10"}},
             "Acknowledge Mode/Set",
             WithCR("0x10WAK")},
            {{{kAckMode, "Set Variable"}, {kAckValue, "5"}},
             "Acknowledge Mode/Set",
             WithCR("5VAK")},
            {{{kAckMode, "Start Sequence"}, {kAckValue, "2"}},
             "Acknowledge Mode/Set",
             WithCR("2SAK")},
            // A mode typed in that the player does not know: the terminal is handed an empty
            // command, which it does not send (see below).
            {{{kAckMode, "flag offset"}, {kAckValue, "0x01"}}, "Acknowledge Mode/Set", WithCR("")},
            {{}, "Drive Control/Format Drive", {}, {kFormatQuestion}},
        });
}

TEST(BriscaPageTest, ARefusedFileNumberStopsEveryButton) {
    std::vector<Press> presses;
    for (const char* button : {"Play", "Loop", "Stop", "Search", "Audio Control/Off",
                               "Audio Control/On", "Front Buttons/On", "Front Buttons/Off",
                               "Acknowledge Mode/Set", "Drive Control/Format Drive"}) {
        presses.push_back({{{kBriscaFile, "100000"}}, button, {}, {kRangeMessage}});
    }
    presses.push_back({{{kBriscaFile, "-1"}, {kAppend, "1"}}, "Play", {}, {kRangeMessage}});
    presses.push_back({{{kBriscaFile, "4x"}}, "Search", {}, {"Please enter an integer."}});
    presses.push_back({{{kBriscaFile, ""}}, "Search", {}, {"Please enter an integer."}});
    ExpectPresses<CBriscaTabDlg>("Brisca", presses);
}

TEST(BriscaPageTest, FormatDriveAsksAndFormatsOnYes) {
    FakePageHost host;
    CBriscaTabDlg page(host);
    std::vector<ProductInfo> catalog = BuildCatalog();
    page.SetProduct(FindProduct(catalog, "Brisca"));
    page.Create();
    host.window.answers = {MessageAnswer::Yes};
    PressPath(page, "Drive Control/Format Drive");
    EXPECT_EQ(host.sent, WithCR("FO"));
    ASSERT_EQ(host.window.shown.size(), 1u);
    EXPECT_EQ(host.window.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(host.window.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(Choices(page, kChannel),
              (std::vector<std::string>{"All", "1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(Choices(page, kAckMode),
              (std::vector<std::string>{"Simple Channel Response", "Flag Offset", "Variable Offset",
                                        "Set Variable", "Start Sequence"}));
}

// Through the real terminal on the serial line: an unknown acknowledge mode puts nothing on the
// wire and nothing in the log, while a known one goes out.
TEST(BriscaPageTest, AnUnknownAcknowledgeModeSendsNothingAtAll) {
    test::FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher launcher;
    launcher.present = false;
    serial.probe["COM1"] = ProbeResult::Available;
    store.keyExists = true;
    auto names = SortedProductNames(BuildCatalog());
    store.SetNumber("Product", std::find(names.begin(), names.end(), "Brisca") - names.begin());
    store.SetNumber("Connection", kSerial);
    store.SetText("Protocol", "Pioneer");
    store.SetText("ComPort", "COM1");
    CZelTermDlg terminal({window, store, serial, udp, usb, clock, launcher});
    terminal.OnInitDialog({});
    CPage* control = terminal.Sheet().ActivateTab("Control");
    ASSERT_NE(dynamic_cast<CBriscaTabDlg*>(control), nullptr);
    const std::string logBefore = terminal.Log().Text();

    ASSERT_EQ(SetPath(*control, kAckMode, "Echo Mode"), ActionResult::Done);
    ASSERT_EQ(SetPath(*control, kAckValue, "0x01"), ActionResult::Done);
    ASSERT_EQ(PressPath(*control, "Acknowledge Mode/Set"), ActionResult::Done);
    EXPECT_TRUE(serial.written.empty());
    EXPECT_EQ(terminal.Log().Text(), logBefore);

    ASSERT_EQ(SetPath(*control, kAckMode, "Flag Offset"), ActionResult::Done);
    ASSERT_EQ(PressPath(*control, "Acknowledge Mode/Set"), ActionResult::Done);
    EXPECT_EQ(serial.written, std::vector<std::string>{"0x01FAK\r"});
    terminal.Sheet().Close();
}

TEST(Mp3PlayerSheetTest, EachPlayerShowsItsOwnControlPage) {
    FakePageHost host;
    CProductPropertySheet sheet(host);
    std::vector<ProductInfo> catalog = BuildCatalog();
    const std::pair<std::string, std::function<bool(CPage*)>> members[] = {
        {"Rovant", [](CPage* p) { return dynamic_cast<CRovantTabDlg*>(p) != nullptr; }},
        {"Pavane", [](CPage* p) { return dynamic_cast<CPavaneTabDlg*>(p) != nullptr; }},
        {"Melisk", [](CPage* p) { return dynamic_cast<CMeliskTabDlg*>(p) != nullptr; }},
        {"Brisca-E", [](CPage* p) { return dynamic_cast<CBriscaETabDlg*>(p) != nullptr; }},
        {"Brisca", [](CPage* p) { return dynamic_cast<CBriscaTabDlg*>(p) != nullptr; }},
    };
    for (const auto& [product, isItsPage] : members) {
        SCOPED_TRACE(product);
        sheet.Rebuild(FindProduct(catalog, product));
        EXPECT_TRUE(isItsPage(sheet.ActivateTab("Control")));
    }
    sheet.Close();
}

}  // namespace
}  // namespace zel
