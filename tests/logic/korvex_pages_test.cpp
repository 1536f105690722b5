// The four Korvex-line pages as an operator uses them: every button by path, on the Korvex, the
// Korvel and the Pellor, with exactly the text, carriage return and messages each one gives.
#include <gtest/gtest.h>

#include "pages/show/korvex_tab_dlg.h"
#include "pages/show/korvex_tab_dlg2.h"
#include "pages/show/korvex_tab_dlg3.h"
#include "pages/show/korvex_tab_dlg4.h"
#include "support/page_presses.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::Choices;
using test::FakePageHost;
using test::Press;
using test::PressPath;
using test::SetPath;

const std::vector<std::string> kKorvexLine = {"Korvex", "Korvel", "Pellor"};

std::vector<FakePageHost::Sent> Sends(const std::string& text) {
    return {{text, true}};
}

const std::string kRowRange = "Please enter an integer between 1 and 8.";
const std::string kColumnRange = "Please enter an integer between 1 and 42.";
const std::string kNoDevice = "You must enter a device index or name";
const std::string kNoCommand = "You must select a command first";

// The script command builder: empty data fields leave no gap, and two refusals.
std::vector<Press> ScriptCommandPresses() {
    const std::string command = "Cuewright Command/Command";
    const std::string execute = "Cuewright Command/Execute";
    return {
        {{{command, "Set Variable ="},
          {"Cuewright Command/Data1", "myVar"},
          {"Cuewright Command/Data3", "5"}},
         execute,
         Sends("1|Set Variable =|myVar|5EX")},
        {{{"Cuewright Command/Data2", "7"}}, execute, Sends("1|Start|7EX")},
        {{{"Cuewright Command/Data4", "z"}}, execute, Sends("1|Start|zEX")},
        {{{"Cuewright Command/Device", "lights"},
          {command, "Blink"},
          {"Cuewright Command/Data1", "a"},
          {"Cuewright Command/Data2", "b"},
          {"Cuewright Command/Data3", "c"},
          {"Cuewright Command/Data4", "d"}},
         execute,
         Sends("lights|Blink|a|b|c|dEX")},
        // Typed text is sent as typed.
        {{{command, "Jump To 4"}}, execute, Sends("1|Jump To 4EX")},
        {{{"Cuewright Command/Device", ""}}, execute, {}, {kNoDevice}},
        {{{"Cuewright Command/Device", ""}, {command, ""}}, execute, {}, {kNoDevice}},
        {{{command, ""}, {"Cuewright Command/Data1", "x"}}, execute, {}, {kNoCommand}},
    };
}

// Opens a page for a product as the sheet does: hand-over, then a new window.
class KorvexPageTest : public ::testing::Test {
  protected:
    void Open(CPage& page, const std::string& product) {
        page.Destroy();
        ProductInfo* info = FindProduct(catalog, product);
        ASSERT_NE(info, nullptr) << product;
        page.SetProduct(info);
        page.Create();
        host.sent.clear();
        host.window.shown.clear();
    }
    // Presses on fresh pages of a product some of whose buttons cannot be used.
    template <typename Page>
    void ExpectUsablePresses(const std::string& product, const std::vector<Press>& presses) {
        for (const Press& press : presses) {
            SCOPED_TRACE(product + " " + press.button);
            Page page(host);
            Open(page, product);
            for (const auto& [path, value] : press.set) {
                ASSERT_EQ(SetPath(page, path, value), ActionResult::Done) << path;
            }
            ASSERT_EQ(PressPath(page, press.button), ActionResult::Done);
            EXPECT_EQ(host.sent, press.sent);
            EXPECT_EQ(host.Messages(), press.messages);
        }
    }
    static const Control& At(const CPage& page, const std::string& path) {
        auto id = page.Find(path);
        EXPECT_TRUE(id.has_value()) << path;
        return page.At(id.value_or(0));
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
};

TEST(KorvexControlPage, EveryButtonSendsTheGroupsFieldsAndItsCode) {
    const std::vector<Press> presses = {
        {{}, "Sequences/Start", Sends("defaultPL")},
        {{}, "Sequences/Pause", Sends("defaultPA")},
        {{}, "Sequences/Stop Loop", Sends("defaultSL")},
        {{}, "Sequences/Reset", Sends("defaultRJ")},
        {{}, "Sequences/Status", Sends("defaultSQ")},
        {{{"Sequences/Sequence Name or Number", "7"}}, "Sequences/Start", Sends("7PL")},
        // Fields go as typed, empty or not.
        {{{"Sequences/Sequence Name or Number", ""}}, "Sequences/Start", Sends("PL")},
        {{}, "Variables/Set To", Sends("myVar|1VA")},
        {{{"Variables/Variable Name or Number", "count"},
          {"Variables/Variable Name or Static Value", "other"}},
         "Variables/Set To",
         Sends("count|otherVA")},
        {{}, "Outputs/On", Sends("output11OU")},
        {{}, "Outputs/Off", Sends("output10OU")},
        {{}, "Outputs/Toggle", Sends("output12OU")},
        {{{"Outputs/Output Name or Number", "12"}}, "Outputs/Toggle", Sends("122OU")},
        {{}, "Message Out/Send", Sends("myDevice|\"my message\"h0DSS")},
        {{{"Message Out/Device Name or Number", "2"}, {"Message Out/Message", "hi"}},
         "Message Out/Send",
         Sends("2|hiSS")},
    };
    for (const std::string& product : kKorvexLine) {
        SCOPED_TRACE(product);
        test::ExpectPresses<CKorvexTabDlg>(product, presses);
    }
}

TEST(KorvexControl2Page, EveryButtonOnAProductWithDisplayAndTimecode) {
    std::vector<Press> presses = {
        {{}, "Display/Display", Sends("\"Display Text\"|1|1DI")},
        {{{"Display/Text", "Hello"}, {"Display/Row", "8"}, {"Display/Column", "42"}},
         "Display/Display",
         Sends("\"Hello\"|8|42DI")},
        {{{"Display/Row", " +3 "}}, "Display/Display", Sends("\"Display Text\"|3|1DI")},
        // A refused row or column stops the button: nothing goes out.
        {{{"Display/Row", "0"}}, "Display/Display", {}, {kRowRange}},
        {{{"Display/Row", "9"}}, "Display/Display", {}, {kRowRange}},
        {{{"Display/Column", "43"}}, "Display/Display", {}, {kColumnRange}},
        {{{"Display/Column", "0"}}, "Display/Display", {}, {kColumnRange}},
        {{{"Display/Column", "x"}}, "Display/Display", {}, {"Please enter an integer."}},
        {{{"Display/Row", "9"}}, "Cuewright Command/Execute", {}, {kRowRange}},
        {{}, "Timecode SMPTE/EBU/Set Time", Sends("00:00:00.00CT")},
        {{{"Timecode SMPTE/EBU/Time", "01:02:03.04"}},
         "Timecode SMPTE/EBU/Set Time",
         Sends("01:02:03.04CT")},
        {{}, "Timecode SMPTE/EBU/Get Time", Sends("CT")},
        {{}, "Timecode SMPTE/EBU/Start", Sends("ES")},
        {{}, "Timecode SMPTE/EBU/Stop", Sends("DS")},
        {{}, "Timecode SMPTE/EBU/Pause", Sends("IS")},
        {{}, "Timecode SMPTE/EBU/Stop Loop", Sends("PA")},
        {{}, "Timecode SMPTE/EBU/Get Version", Sends("?S")},
        {{}, "Cuewright Command/Execute", Sends("1|StartEX")},
    };
    std::vector<Press> script = ScriptCommandPresses();
    presses.insert(presses.end(), script.begin(), script.end());
    test::ExpectPresses<CKorvexTabDlg2>("Korvex", presses);
    test::ExpectPresses<CKorvexTabDlg2>("Korvel", presses);
}

TEST_F(KorvexPageTest, TheCommandListShowsTheScriptCommandsSortedAndStartsOnStart) {
    CKorvexTabDlg2 page(host);
    Open(page, "Korvex");
    const std::vector<std::string> sorted = {
        "Add",
        "Arm",
        "BitAnd",
        "BitOr",
        "Blink",
        "Concatinate",
        "Disarm",
        "Display",
        "Divide",
        "Format",
        "Get Seq Time",
        "Message Out",
        "Mod",
        "Multiply",
        "Off",
        "On",
        "Out Port",
        "Pause",
        "Pulse",
        "Recover Display",
        "Reset",
        "Restore Variable",
        "Set Variable =",
        "Start",
        "Stop Loop",
        "Store Display",
        "Store Variable",
        "Subtract",
        "Timecode Pause",
        "Timecode Start",
        "Timecode Stop",
        "Timecode Stop Loop",
        "Toggle",
    };
    const Control& list = At(page, "Cuewright Command/Command");
    EXPECT_EQ(list.kind, ControlKind::EditableDropDown);
    EXPECT_EQ(list.choices, sorted);
    EXPECT_EQ(list.text, "Start");
    EXPECT_EQ(list.choices[list.selected], "Start");
}

TEST_F(KorvexPageTest, OnThePellorTheScriptCommandBuilderWorksAlike) {
    ExpectUsablePresses<CKorvexTabDlg2>("Pellor", ScriptCommandPresses());
}

TEST_F(KorvexPageTest, OnThePellorTheDisplayAndTimecodeGroupsAreDisabledButExecuteWorks) {
    CKorvexTabDlg2 page(host);
    for (const std::string& product : kKorvexLine) {
        SCOPED_TRACE(product);
        Open(page, product);
        bool pellor = product == "Pellor";
        for (const Control& control : page.Controls()) {
            bool dependent = control.path.starts_with("Display") ||
                             control.path.starts_with("Timecode SMPTE/EBU");
            EXPECT_EQ(control.enabled, !(pellor && dependent)) << control.path;
        }
        if (pellor) {
            for (const std::string& button : test::ButtonPaths(page)) {
                if (button == "Cuewright Command/Execute") continue;
                EXPECT_EQ(PressPath(page, button), ActionResult::Disabled) << button;
            }
            EXPECT_TRUE(host.sent.empty());
        }
        ASSERT_EQ(PressPath(page, "Cuewright Command/Execute"), ActionResult::Done);
        EXPECT_EQ(host.sent, Sends("1|StartEX"));
    }
}

TEST_F(KorvexPageTest, Control2KeepsWhatWasTypedButStartsTheTimeOverAndDropsARefusedPlace) {
    CKorvexTabDlg2 page(host);
    Open(page, "Korvex");
    SetPath(page, "Display/Text", "Doors open");
    SetPath(page, "Display/Column", "5");
    SetPath(page, "Timecode SMPTE/EBU/Time", "10:00:00.00");
    SetPath(page, "Cuewright Command/Command", "Arm");
    SetPath(page, "Display/Row", "9");
    EXPECT_EQ(PressPath(page, "Display/Display"), ActionResult::Done);
    EXPECT_EQ(host.Messages(), std::vector<std::string>{kRowRange});
    // On the Pellor the row could not be corrected any more, and every button would refuse.
    Open(page, "Pellor");
    EXPECT_EQ(At(page, "Display/Text").text, "Doors open");
    EXPECT_EQ(At(page, "Display/Row").text, "1");
    EXPECT_EQ(At(page, "Display/Column").text, "5");
    EXPECT_EQ(At(page, "Timecode SMPTE/EBU/Time").text, "00:00:00.00");
    ASSERT_EQ(PressPath(page, "Cuewright Command/Execute"), ActionResult::Done);
    EXPECT_EQ(host.sent, Sends("1|ArmEX"));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(KorvexPageTest, RedundantEveryButtonSetsOrGetsItsSetting) {
    const std::string addressMessage =
        "Please enter an IP address: four numbers from 0 to 255 separated by dots.";
    const std::vector<Press> common = {
        {{}, "Redundant IP Address/Set", Sends("192.168.0.254RI")},
        {{{"Redundant IP Address/Set/value", "10.0.0.5"}},
         "Redundant IP Address/Set",
         Sends("10.0.0.5RI")},
        {{{"Redundant IP Address/Set/value", "010.001.002.003"}},
         "Redundant IP Address/Set",
         Sends("10.1.2.3RI")},
        {{{"Redundant IP Address/Set/value", "10.0.0.256"}},
         "Redundant IP Address/Set",
         {},
         {addressMessage}},
        {{}, "Redundant IP Address/Get", Sends("RI")},
        {{}, "Master Slave/Set", Sends("0MS")},
        {{{"Master Slave/Set/value", "Force to Master"}}, "Master Slave/Set", Sends("2MS")},
        {{{"Master Slave/Set/value", "Force to Slave"}}, "Master Slave/Set", Sends("1MS")},
        {{{"Master Slave/Set/value", "Force to be Stand Alone"}}, "Master Slave/Set", Sends("0MS")},
        {{{"Master Slave/Set/value", "Master"}}, "Master Slave/Set", Sends("MS")},
        {{}, "Master Slave/Get", Sends("MS")},
        {{}, "Master Slave Timeout Period/Set", Sends("5000TMS")},
        {{{"Master Slave Timeout Period/ms", "250"}},
         "Master Slave Timeout Period/Set",
         Sends("250TMS")},
        {{}, "Master Slave Timeout Period/Get", Sends("TMS")},
    };
    std::vector<Press> twoJacks = common;
    twoJacks.insert(twoJacks.end(), {
                                        {{}, "Redundant Ethernet Jack/Set", Sends("ARX")},
                                        {{{"Redundant Ethernet Jack/Set/value", "B"}},
                                         "Redundant Ethernet Jack/Set",
                                         Sends("BRX")},
                                        {{{"Redundant Ethernet Jack/Set/value", "C"}},
                                         "Redundant Ethernet Jack/Set",
                                         Sends("RX")},
                                        {{}, "Redundant Ethernet Jack/Get", Sends("RX")},
                                    });
    test::ExpectPresses<CKorvexTabDlg3>("Korvex", twoJacks);
    test::ExpectPresses<CKorvexTabDlg3>("Korvel", twoJacks);
    // Without a second jack the jack's buttons cannot be pressed; the others work alike.
    ExpectUsablePresses<CKorvexTabDlg3>("Pellor", common);
}

TEST_F(KorvexPageTest, TheJackListOffersBOnlyWithASecondJack) {
    CKorvexTabDlg3 page(host);
    for (const std::string& product : kKorvexLine) {
        SCOPED_TRACE(product);
        Open(page, product);
        bool twoJacks = product != "Pellor";
        const std::vector<std::string> jacks =
            twoJacks ? std::vector<std::string>{"A", "B"} : std::vector<std::string>{"A"};
        EXPECT_EQ(Choices(page, "Redundant Ethernet Jack/Set/value"), jacks);
        EXPECT_EQ(At(page, "Redundant Ethernet Jack/Set/value").text, "A");
        for (const char* path : {"Redundant Ethernet Jack/Set/value", "Redundant Ethernet Jack/Set",
                                 "Redundant Ethernet Jack/Get"}) {
            EXPECT_EQ(At(page, path).enabled, twoJacks) << path;
        }
        EXPECT_EQ(PressPath(page, "Redundant Ethernet Jack/Get"),
                  twoJacks ? ActionResult::Done : ActionResult::Disabled);
        EXPECT_EQ(Choices(page, "Master Slave/Set/value"),
                  (std::vector<std::string>{"Force to be Stand Alone", "Force to Master",
                                            "Force to Slave"}));
        EXPECT_EQ(At(page, "Master Slave/Set/value").kind, ControlKind::EditableDropDown);
    }
}

TEST_F(KorvexPageTest, RedundantStartsOverEachTimeTheWindowOpens) {
    CKorvexTabDlg3 page(host);
    Open(page, "Korvex");
    SetPath(page, "Redundant IP Address/Set/value", "10.0.0.5");
    SetPath(page, "Redundant Ethernet Jack/Set/value", "B");
    SetPath(page, "Master Slave/Set/value", "Force to Slave");
    SetPath(page, "Master Slave Timeout Period/ms", "1");
    Open(page, "Korvel");
    EXPECT_EQ(At(page, "Redundant IP Address/Set/value").text, "192.168.0.254");
    EXPECT_EQ(At(page, "Redundant Ethernet Jack/Set/value").text, "A");
    EXPECT_EQ(At(page, "Master Slave/Set/value").text, "Force to be Stand Alone");
    EXPECT_EQ(At(page, "Master Slave Timeout Period/ms").text, "5000");
}

TEST(KorvexNameScriptPage, EveryButtonSetsAQuotedNameOrGetsIt) {
    const std::vector<Press> presses = {
        {{}, "Device Name/Set", Sends("\"Device1\"NM")},
        {{{"Device Name/Set/value", "Stage Left"}}, "Device Name/Set", Sends("\"Stage Left\"NM")},
        {{{"Device Name/Set/value", ""}}, "Device Name/Set", Sends("\"\"NM")},
        {{}, "Device Name/Get", Sends("NM")},
        {{}, "Active Script/Set", Sends("\"Script.zel\"SF")},
        {{{"Active Script/Set/value", "Show2.zel"}}, "Active Script/Set", Sends("\"Show2.zel\"SF")},
        {{}, "Active Script/Get", Sends("SF")},
        {{}, "Active Script Edit Date/Get", Sends("FT")},
    };
    for (const std::string& product : kKorvexLine) {
        SCOPED_TRACE(product);
        test::ExpectPresses<CKorvexTabDlg4>(product, presses);
    }
}

TEST_F(KorvexPageTest, NameScriptWritesItsInitialTextsEachTimeTheWindowOpens) {
    CKorvexTabDlg4 page(host);
    Open(page, "Korvex");
    SetPath(page, "Device Name/Set/value", "Stage Left");
    SetPath(page, "Active Script/Set/value", "Show2.zel");
    const Control& date = At(page, "Active Script Edit Date/Get/value");
    EXPECT_FALSE(date.enabled);
    EXPECT_EQ(page.EnterText(*page.Find("Active Script Edit Date/Get/value"), "x"),
              ActionResult::Disabled);
    Open(page, "Pellor");
    EXPECT_EQ(At(page, "Device Name/Set/value").text, "Device1");
    EXPECT_EQ(At(page, "Active Script/Set/value").text, "Script.zel");
    EXPECT_EQ(date.text, "2009-02-13 23:31:30");
}

}  // namespace
}  // namespace zel
