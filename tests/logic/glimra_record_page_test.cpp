// The "Record" pages of the GlimraPro and Glimra-E recorders: a cue over the ticked universes'
// channel lists in one text, a specific file to one universe only.
#include "pages/lighting/glimra_record_page.h"

#include <gtest/gtest.h>

#include "support/page_presses.h"

namespace zel {
namespace {

using test::ExpectPresses;
using test::kFileMessage;
using test::Press;
using Sent = test::FakePageHost::Sent;
using Entries = std::vector<std::pair<std::string, std::string>>;

constexpr char kFile[] = "Cue Name, Filename, or File Number/text";
constexpr char kStamp[] =
    "Cue Name, Filename, or File Number/Stamp file with incoming SMPTE Timecode";
constexpr char kArm[] = "Record Control/Arm Recording";
constexpr char kRecord[] = "Record Control/Record";
constexpr char kStop[] = "Record Control/Stop";
constexpr char kOneFileOneUniverse[] =
    "Cannot Send a specific .dmx filename or file number to more than one universe. Use a Cue "
    "Name instead (no .dmx extension)";

std::string Tick(int universe) {
    return "Filename or File Number/Record Universe" + std::to_string(universe) +
           " Channels/check-box";
}

std::string Channels(int universe) {
    return "Filename or File Number/Record Universe" + std::to_string(universe) + " Channels/text";
}

// The file box, then universes 1 and 3 ticked with channels 1-512 and 1-24.
Entries OneAndThree(const std::string& file) {
    return {{kFile, file}, {Tick(3), "1"}, {Channels(3), "1-24"}};
}

std::vector<Sent> Texts(const std::vector<std::string>& texts) {
    std::vector<Sent> sent;
    for (const std::string& text : texts) sent.push_back({text, true});
    return sent;
}

TEST(GlimraRecordPageTest, GlimraProRecordsACueOverTheTickedUniversesInOneText) {
    Entries stamped = OneAndThree("show1");
    stamped.push_back({kStamp, "1"});
    ExpectPresses<CGlimraProRecTabDlg>(
        "GlimraPro",
        {
            {OneAndThree("show1"), kRecord, Texts({"|1-512|0|1-24|0|\"show1\"u*RR"})},
            {OneAndThree("show1"), kArm, Texts({"|1-512|0|1-24|0|\"show1\"u*RA"})},
            {stamped, kRecord, Texts({"|1-512|0|1-24|0|\"show1\"u*RS"})},
            {stamped, kArm, Texts({"|1-512|0|1-24|0|\"show1\"u*RE"})},
            {{{kFile, "my cue"},
              {Tick(2), "1"},
              {Tick(3), "1"},
              {Tick(4), "1"},
              {Channels(1), "1,5,9"},
              {Channels(2), "10-20,30"},
              {Channels(4), "512"}},
             kRecord,
             Texts({"|1,5,9|10-20,30|1-512|512|\"my cue\"u*RR"})},
            // A cue goes out even with no universe ticked.
            {{{kFile, "show1"}, {Tick(1), "0"}}, kRecord, Texts({"|0|0|0|0|\"show1\"u*RR"})},
            {{}, kStop, Texts({"u*RJ"})},
            {{{Tick(1), "0"}}, kStop, Texts({"u*RJ"})},
        });
}

TEST(GlimraRecordPageTest, ASpecificFileGoesToTheFirstTickedUniverseOnly) {
    ExpectPresses<CGlimraProRecTabDlg>(
        "GlimraPro",
        {
            {{{kFile, "scene.dmx"}, {Tick(2), "1"}, {Channels(2), "1-24"}},
             kRecord,
             Texts({"|1-512|\"scene.dmx\"u1RR"}),
             {kOneFileOneUniverse}},
            // A file number is a specific file too; each further universe is refused.
            {{{kFile, "7"}, {Tick(1), "0"}, {Tick(2), "1"}, {Tick(3), "1"}, {Tick(4), "1"}},
             kArm,
             Texts({"|1-512|7u2RA"}),
             {kOneFileOneUniverse, kOneFileOneUniverse}},
            {{{kFile, "scene.dmx"}, {Tick(1), "0"}, {Tick(4), "1"}, {Channels(4), "3"}},
             kRecord,
             Texts({"|3|\"scene.dmx\"u4RR"})},
            {{{kFile, "a.dmx.old"}, {kStamp, "1"}}, kArm, Texts({"|1-512|\"a.dmx.old\"u1RE"})},
            {{{kFile, "00042"}, {kStamp, "1"}}, kRecord, Texts({"|1-512|00042u1RS"})},
            // A specific file with no universe ticked goes nowhere.
            {{{kFile, "5"}, {Tick(1), "0"}}, kRecord, {}},
            {{}, kStop, Texts({"u*RJ"})},
        });
}

TEST(GlimraRecordPageTest, TheSecondUniverseOfAFileIsRefusedInAPlainBox) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    test::FakePageHost host;
    CGlimraProRecTabDlg page(host);
    page.SetProduct(FindProduct(catalog, "GlimraPro"));
    page.Create();
    test::SetPath(page, kFile, "9");
    test::SetPath(page, Tick(2), "1");
    test::PressPath(page, kRecord);
    ASSERT_EQ(host.window.shown.size(), 1u);
    EXPECT_EQ(host.window.shown[0].text, kOneFileOneUniverse);
    EXPECT_EQ(host.window.shown[0].caption, "ZelTerm");
    EXPECT_EQ(host.window.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(host.sent, Texts({"|1-512|9u1RR"}));
}

TEST(GlimraRecordPageTest, ARefusedFileSendsNothing) {
    for (const char* file : {"", "123456"}) {
        ExpectPresses<CGlimraProRecTabDlg>("GlimraPro",
                                           {
                                               {{{kFile, file}}, kRecord, {}, {kFileMessage}},
                                               {{{kFile, file}}, kArm, {}, {kFileMessage}},
                                               {{{kFile, file}}, kStop, Texts({"u*RJ"})},
                                           });
    }
}

TEST(GlimraRecordPageTest, GlimraERecordsUniverseOneWithItsChannelList) {
    ExpectPresses<CGlimraERecTabDlg>(
        "GlimraE",
        {
            {{{kFile, "5"}}, kRecord, Texts({"|1-512|5u1RR"})},
            {{{kFile, "5"}}, kArm, Texts({"|1-512|5u1RA"})},
            {{{kFile, "show1"}, {Channels(1), "1-24"}},
             kRecord,
             Texts({"|1-24|0|0|0|\"show1\"u*RR"})},
            {{{kFile, "take.dmx"}, {kStamp, "1"}}, kArm, Texts({"|1-512|\"take.dmx\"u1RE"})},
            {{}, kRecord, {}, {kFileMessage}},
            {{}, kStop, Texts({"u*RJ"})},
        });
}

}  // namespace
}  // namespace zel
