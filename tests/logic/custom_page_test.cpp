// The Custom tab as an operator uses it: named strings added, sent, removed, and kept in the
// settings store from one page window to the next.
#include "pages/common/custom_page.h"

#include <gtest/gtest.h>

#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;
using Rows = std::vector<std::vector<std::string>>;
using Values = std::map<std::string, std::string>;

constexpr const char* kList = "Custom Strings/report";

class CustomPageTest : public ::testing::Test {
  protected:
    const Control& At(std::string_view path) { return page.At(*page.Find(path)); }
    const Rows& ListRows() { return At(kList).rows; }

    void Add(const std::string& name, const std::string& string) {
        ASSERT_EQ(SetPath(page, "New String/Name", name), ActionResult::Done);
        ASSERT_EQ(SetPath(page, "New String/String", string), ActionResult::Done);
        ASSERT_EQ(PressPath(page, "New String/Add"), ActionResult::Done);
    }
    void Choose(const std::string& name) {
        ASSERT_EQ(SetPath(page, kList, name), ActionResult::Done);
    }
    void Store(Values values) {
        host.settings.keyExists = true;
        host.settings.values = std::move(values);
    }

    FakePageHost host;
    CCustomTabDlg page{host};
};

TEST_F(CustomPageTest, AnEmptyStoreShowsAnEmptyListAndTheVersionQuery) {
    page.Create();
    EXPECT_TRUE(ListRows().empty());
    EXPECT_EQ(At(kList).columns, (std::vector<std::string>{"Name of Command", "String to Send"}));
    EXPECT_EQ(At("New String/Name").text, "Version");
    EXPECT_EQ(At("New String/String").text, "\"?V\" h0D");
    EXPECT_EQ(At("Custom Strings/(Select From List Below)/label").text, "(Select From List Below)");
    EXPECT_EQ(At("New String/(Optional)/label").text, "(Optional)");
    // Nothing chosen: Send and Remove do nothing.
    PressPath(page, "Custom Strings/Send");
    PressPath(page, "Custom Strings/Remove");
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(CustomPageTest, RowsAreKeptInNameOrderAndTheChosenRowStaysChosen) {
    page.Create();
    Add("Stop", "\"RJ\" h0D");
    Add("play", "\"PL\" h0D");
    Choose("Stop");
    Add("", "\"?P\" h0D");  // an empty name is allowed and sorts first
    Add("Play", "\"1PL\" h0D");
    EXPECT_EQ(ListRows(), (Rows{{"", "\"?P\" h0D"},
                                {"play", "\"PL\" h0D"},
                                {"Play", "\"1PL\" h0D"},
                                {"Stop", "\"RJ\" h0D"}}));
    EXPECT_EQ(At(kList).selected, 3);
}

TEST_F(CustomPageTest, SendConvertsTheChosenStringAndSendsItWithoutCarriageReturn) {
    page.Create();
    Add("Search", "\"1SE\" h0D");
    Add("Zero", "h00 \"A\"");
    Add("Broken", "\"\\q\"");
    struct Case {
        std::string name;
        std::vector<FakePageHost::Sent> sent;
    };
    const Case cases[] = {
        {"Search", {{"\x31\x53\x45\x0D", false}}},
        {"Zero", {{"\\zeroA", false}}},
        {"Broken", {}},  // the conversion logs its error and nothing goes out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.sent.clear();
        Choose(c.name);
        PressPath(page, "Custom Strings/Send");
        EXPECT_EQ(host.sent, c.sent);
    }
    EXPECT_EQ(host.logged, (std::vector<std::string>{
                               "ERROR: Invalid Escape Sequence (\\).  Click the 'Help' Button for "
                               "assistance.\r\n"}));
}

TEST_F(CustomPageTest, RemoveTakesOutOnlyTheChosenRow) {
    page.Create();
    Add("A", "\"1\"");
    Add("B", "\"2\"");
    Add("C", "\"3\"");
    Choose("B");
    PressPath(page, "Custom Strings/Remove");
    EXPECT_EQ(ListRows(), (Rows{{"A", "\"1\""}, {"C", "\"3\""}}));
    EXPECT_EQ(At(kList).selected, -1);
    PressPath(page, "Custom Strings/Remove");
    EXPECT_EQ(ListRows().size(), 2u);
}

TEST_F(CustomPageTest, HelpExplainsTheNotation) {
    page.Create();
    PressPath(page, "New String/Help");
    ASSERT_EQ(host.window.shown.size(), 1u);
    const auto& shown = host.window.shown[0];
    EXPECT_EQ(shown.caption, "Custom String Help");
    EXPECT_EQ(shown.icon, MessageIcon::Information);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.text,
              "How to Create a Custom String:\r\n\r\n"
              "When entering ASCII characters into your custom string, be sure\r\n"
              "to wrap them in quotes.  (ie. \"?V\" or \"11SE\")\r\n\r\n"
              "If you wish to enter in Hexadecimal values, simply precede\r\n"
              "the value with an 'h' or 'H'.\r\n\r\n"
              "Example of a typical Custom String:\r\n"
              "\"1SE\" h0D\r\n\r\n"
              "This example would be transmitted (in hexadecimal) as:\r\n"
              "0x31 0x53 0x45 0x0d");
}

TEST_F(CustomPageTest, RowsAreStoredWhenTheWindowCloseAndListedAgainWhenItOpens) {
    page.Create();
    Add("Version", "\"?V\" h0D");
    Add("Eject", "\"RJ\" h0D");
    page.Destroy();
    EXPECT_EQ(host.settings.values, (Values{{"CustStringName1", "Eject"},
                                            {"CustString1", "\"RJ\" h0D"},
                                            {"CustStringName2", "Version"},
                                            {"CustString2", "\"?V\" h0D"}}));
    page.Create();
    EXPECT_EQ(ListRows(), (Rows{{"Eject", "\"RJ\" h0D"}, {"Version", "\"?V\" h0D"}}));
    EXPECT_EQ(At("New String/Name").text, "Version");
}

TEST_F(CustomPageTest, RemovingEveryRowDeletesEveryStoredValue) {
    Store({{"CustStringName1", "A"},
           {"CustString1", "\"1\""},
           {"CustStringName2", "B"},
           {"CustString2", "\"2\""},
           {"CustStringName3", "C"},
           {"CustString3", "\"3\""},
           {"CustString4", "stray"},  // a string left without its name
           {"Product", "keep"}});
    page.Create();
    ASSERT_EQ(ListRows().size(), 3u);
    for (const char* name : {"A", "B", "C"}) {
        Choose(name);
        PressPath(page, "Custom Strings/Remove");
    }
    page.Destroy();
    EXPECT_EQ(host.settings.values, (Values{{"Product", "keep"}}));
}

TEST_F(CustomPageTest, NamesAndStringsOf160BytesOrMoreAreRefused) {
    page.Create();
    const std::string longest(159, 'x');
    const std::string tooLong(160, 'x');
    const std::string refusal = "The name and the string must each be shorter than 160 characters.";
    Add(tooLong, "\"1\"");
    Add("Long", tooLong);
    EXPECT_TRUE(ListRows().empty());
    EXPECT_EQ(host.Messages(), (std::vector<std::string>{refusal, refusal}));
    Add(longest, longest);
    EXPECT_EQ(ListRows(), (Rows{{longest, longest}}));
    page.Destroy();
    page.Create();
    EXPECT_EQ(ListRows(), (Rows{{longest, longest}}));
}

TEST_F(CustomPageTest, AnOverLongStoredEntryIsPassedOverAndTheEntriesAfterItLoad) {
    const std::string tooLong(160, 'x');
    Store({{"CustStringName1", "A"},
           {"CustString1", "\"1\""},
           {"CustStringName2", tooLong},
           {"CustString2", "\"2\""},
           {"CustStringName3", "C"},
           {"CustString3", tooLong},
           {"CustStringName4", "D"},  // its string is missing
           {"CustStringName5", "E"},
           {"CustString5", "\"5\""}});
    page.Create();
    EXPECT_EQ(ListRows(), (Rows{{"A", "\"1\""}, {"D", ""}, {"E", "\"5\""}}));
    page.Destroy();
    EXPECT_EQ(host.settings.values, (Values{{"CustStringName1", "A"},
                                            {"CustString1", "\"1\""},
                                            {"CustStringName2", "D"},
                                            {"CustString2", ""},
                                            {"CustStringName3", "E"},
                                            {"CustString3", "\"5\""}}));
}

TEST_F(CustomPageTest, AStoreThatCannotBeWrittenLosesNothingAlreadyStored) {
    Store({{"CustStringName1", "A"}, {"CustString1", "\"1\""}});
    host.settings.writable = false;
    page.Create();
    Choose("A");
    PressPath(page, "Custom Strings/Remove");
    page.Destroy();
    EXPECT_EQ(host.settings.values.size(), 2u);
}

}  // namespace
}  // namespace zel
