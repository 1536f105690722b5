// A script's lines as steps: words split as a shell splits them, and the mistakes named by line;
// and the received text that expect searches.
#include "app/zelctl/script.h"

#include <gtest/gtest.h>

#include "app/zelctl/received_text.h"
#include "app/zelctl/shell_words.h"
#include "products/protocol_info.h"

namespace zel::ctl {
namespace {

TEST(ShellWords, SplitAsAShellSplitsThemWithoutExpandingAnything) {
    struct Case {
        std::string line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"  set  New\\ String/Name 'Lamp test'\t", {"set", "New String/Name", "Lamp test"}},
        {R"(send '"1SE" h0D')", {"send", R"("1SE" h0D)"}},
        {R"(send "\"?V\" h0D \$HOME \n")", {"send", R"("?V" h0D $HOME \n)"}},
        {"expect 'V[0-9]+' 500 # the version", {"expect", "V[0-9]+", "500"}},
        {"expect a#b '' \"\"", {"expect", "a#b", "", ""}},
        {"  # only a comment", {}},
        {"set a'b c'\"d e\"f", {"set", "ab cd ef"}},
    };
    for (const Case& c : cases) {
        SplitLine split = SplitShellWords(c.line);
        EXPECT_EQ(split.error, "") << c.line;
        EXPECT_EQ(split.words, c.words) << c.line;
    }
    EXPECT_EQ(SplitShellWords("send 'open").error, "a single quote is not closed");
    EXPECT_EQ(SplitShellWords("send \"open").error, "a double quote is not closed");
    EXPECT_EQ(SplitShellWords("send x\\").error, "the line ends in a backslash");
}

TEST(Script, StepsKeepTheirLineAndTheirValues) {
    ParsedScript script = ParseScript(
        "product Korvex\n\n# comment\nconnection ethernet\nanswer yes\n"
        "set \"Outputs/Turn Output\" 3\nwait 250\nexpect '^V' \nexpect R 40\n");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.steps.size(), 7u);
    EXPECT_EQ(script.steps[0].line, 1);
    EXPECT_EQ(script.steps[1].connection, kEthernet);
    EXPECT_EQ(script.steps[1].line, 4);
    EXPECT_EQ(script.steps[2].answer, MessageAnswer::Yes);
    EXPECT_EQ(script.steps[3].name, "Outputs/Turn Output");
    EXPECT_EQ(script.steps[3].value, "3");
    EXPECT_EQ(script.steps[3].text, "set \"Outputs/Turn Output\" 3");
    EXPECT_EQ(script.steps[4].ms, 250);
    EXPECT_EQ(script.steps[5].ms, kDefaultExpectMs);
    EXPECT_EQ(script.steps[6].ms, 40);
}

TEST(Script, TheFirstBadLineIsNamedAndNoStepIsKept) {
    const std::pair<std::string, std::string> cases[] = {
        {"product Korvex\npush x", "line 2: unknown step 'push'"},
        {"press", "line 1: press takes PATH (quote a word with blanks in it)"},
        {"set Outputs/Turn Output 3",
         "line 1: set takes PATH VALUE (quote a word with blanks in it)"},
        {"connection wifi", "line 1: connection takes serial, ethernet or usb, not 'wifi'"},
        {"answer maybe", "line 1: answer takes ok, cancel, yes or no, not 'maybe'"},
        {"wait 1s", "line 1: wait takes a number of milliseconds, not '1s'"},
        {"expect V -1", "line 1: expect takes a number of milliseconds, not '-1'"},
        {"send 'x", "line 1: a single quote is not closed"},
    };
    for (const auto& [text, error] : cases) {
        ParsedScript script = ParseScript(text);
        EXPECT_EQ(script.error, error);
        EXPECT_TRUE(script.steps.empty());
    }
    EXPECT_NE(ParseScript("expect 'V[0-9'").error.find("line 1: expect '"), std::string::npos);
}

TEST(ReceivedText, AMatchTakesTheTextUpToItsEndWithOtherBytesAsHex) {
    ReceivedText received;
    received.Append(std::string("E04\rV3.21\r\0\xE9", 12));
    EXPECT_EQ(received.Text(), "E04\\x0DV3.21\\x0D\\x00\\xE9");
    EXPECT_EQ(received.Take(ExtendedPattern("^V")), std::nullopt);
    EXPECT_EQ(received.Take(ExtendedPattern("V[0-9.]+\\\\x0D")), "V3.21\\x0D");
    EXPECT_EQ(received.Text(), "\\x00\\xE9");
    // A match ending inside a byte's \xHH takes that whole byte.
    EXPECT_EQ(received.Take(ExtendedPattern("\\\\x0")), "\\x0");
    EXPECT_EQ(received.Text(), "\\xE9");
    // Extended regular expressions: character classes by name.
    received.Append("7");
    EXPECT_EQ(received.Take(ExtendedPattern("[[:digit:]]$")), "7");
}

TEST(ReceivedText, AFloodKeepsTheNewestBytesAndCannotExhaustTheMatcher) {
    ReceivedText received;
    for (int i = 0; i < 100; ++i) received.Append(std::string(1000, '\x01'));
    received.Append("V3.21");
    const size_t kept = (ReceivedText::kKeptBytes - 5) * 4 + 5;  // \x01 and V3.21
    EXPECT_EQ(received.Text().size(), kept);
    EXPECT_EQ(received.Take(ExtendedPattern("(.)*Z")), std::nullopt);
    EXPECT_EQ(received.Take(ExtendedPattern("(\\\\x01)*V[0-9.]+$")).value_or("").size(), kept);
}

}  // namespace
}  // namespace zel::ctl
