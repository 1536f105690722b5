#include "services/custom_string.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/byte_string.h"

namespace zel {
namespace {

using testing::Bytes;

const std::string kMarker(kZeroMarker);

struct ParseCase {
    std::string input;
    std::string commandText;
};

TEST(ParseCustomStringTest, ProducesTheBytesOfEachToken) {
    const std::vector<ParseCase> cases = {
        {R"("?V")", "?V"},
        {R"("1SE" h0D)", Bytes({0x31, 0x53, 0x45, 0x0D})},
        {R"("1SE",h0D)", Bytes({0x31, 0x53, 0x45, 0x0D})},
        {R"("1SE".h0D)", Bytes({0x31, 0x53, 0x45, 0x0D})},
        {"\t\"1SE\"\th0D ", Bytes({0x31, 0x53, 0x45, 0x0D})},
        {R"("\"Filename.mpg\"SE" h0D)", "\"Filename.mpg\"SE\r"},
        {"h0", kMarker},
        {"0", kMarker},
        {"H0d", "\r"},
        {"h0D0A", "\r\n"},
        {"hff", "\xFF"},
        {R"("\T")", "\t"},
        {R"("\t\B\n\N\r\\")", Bytes({9, 7, 10, 10, 13, '\\'})},
        {"65", "A"},
        {"1000", Bytes({0x03, 0xE8})},
        {"300", Bytes({0x01, 0x2C})},
        {"h123456", Bytes({0x34, 0x12, 0x56})},
        {"h12345678", Bytes({0x56, 0x34, 0x12, 0x78})},
        {"65h41 66", "AAB"},
        {R"(65"x"h79)", "Axy"},
        {"\"abc", "abc"},
        {"\"ab\\", "ab"},
        {"\"a\" h", "a"},
        {"", ""},
        {" ,.", ""},
        // Numbers wrap at 32 bits; a negative value keeps only its lowest byte.
        {"4294967295", "\xFF"},
        {"4294967296", kMarker},
        {"hFFFFFF80", "\x80"},
        {"h1FFFFFF41", "A"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.input);
        const CustomStringResult result = ParseCustomString(c.input);
        EXPECT_EQ(result.error, CustomStringError::None);
        EXPECT_EQ(result.commandText, c.commandText);
    }
}

TEST(ParseCustomStringTest, CarriesEveryZeroByteAsTheMarker) {
    const std::vector<ParseCase> cases = {
        {"256", Bytes({0x01}) + kMarker},
        {"h0100", Bytes({0x01}) + kMarker},
        {"h10000", kMarker + Bytes({0x01}) + kMarker},
        {"h80000000", kMarker},
        {"\"A\" 0 \"B\"", "A" + kMarker + "B"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.input);
        const CustomStringResult result = ParseCustomString(c.input);
        EXPECT_EQ(result.error, CustomStringError::None);
        EXPECT_EQ(result.commandText, c.commandText);
    }
}

struct ErrorCase {
    std::string input;
    CustomStringError error;
};

TEST(ParseCustomStringTest, StopsAtTheFirstError) {
    const std::vector<ErrorCase> cases = {
        {R"("\q")", CustomStringError::InvalidEscape},
        {R"("\0")", CustomStringError::InvalidEscape},
        {R"(\"x")", CustomStringError::NotFormatted},
        {"x", CustomStringError::NotFormatted},
        {"-1", CustomStringError::NotFormatted},
        {"65A", CustomStringError::NotFormatted},
        {"\"first\r\nsecond\"", CustomStringError::MissingQuotes},
        {"\"first\nsecond\"", CustomStringError::MissingQuotes},
        {"hG", CustomStringError::BadHex},
        {"h 41", CustomStringError::BadHex},
        {"h\"a\"", CustomStringError::BadHex},
        {R"(hG "\q")", CustomStringError::BadHex},
        {R"("\q" hG)", CustomStringError::InvalidEscape},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.input);
        const CustomStringResult result = ParseCustomString(c.input);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.commandText, "");
    }
}

std::string Quoted(size_t length) {
    return '"' + std::string(length, 'x') + '"';
}

std::string Zeros(size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += "0 ";
    return text;
}

TEST(ParseCustomStringTest, RefusesMoreThan1023BytesCountingMarkersAsOne) {
    const std::vector<ErrorCase> cases = {
        {Quoted(1023), CustomStringError::None},
        {Quoted(1024), CustomStringError::TooLong},
        {Zeros(1023), CustomStringError::None},
        {Zeros(1024), CustomStringError::TooLong},
        {Quoted(1021) + " 256", CustomStringError::None},
        {Quoted(1022) + " 256", CustomStringError::TooLong},
        {Quoted(1024) + " hG", CustomStringError::TooLong},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.input.size());
        const CustomStringResult result = ParseCustomString(c.input);
        EXPECT_EQ(result.error, c.error);
        if (c.error == CustomStringError::None) {
            EXPECT_EQ(ExpandZeroMarkers(result.commandText).size(), kMaxCustomStringBytes);
        }
    }
}

TEST(CustomStringErrorMessageTest, GivesTheLogLines) {
    const std::vector<std::pair<CustomStringError, std::string>> cases = {
        {CustomStringError::NotFormatted,
         "ERROR: Custom String not Formatted properly.  Click the 'Help' Button for "
         "assistance.\r\n"},
        {CustomStringError::InvalidEscape,
         "ERROR: Invalid Escape Sequence (\\).  Click the 'Help' Button for assistance.\r\n"},
        {CustomStringError::MissingQuotes,
         "ERROR: Custom String is missing quotes.  Click the 'Help' Button for assistance.\r\n"},
        {CustomStringError::BadHex, "Error: Problem found in Hex Sequence\r\n"},
        {CustomStringError::TooLong,
         "ERROR: Custom String is too long (more than 1023 bytes).  Click the 'Help' Button for "
         "assistance.\r\n"},
        {CustomStringError::None, ""},
    };
    for (const auto& [error, message] : cases) {
        EXPECT_EQ(CustomStringErrorMessage(error), message);
    }
}

TEST(CustomStringHelpTextTest, IsTheFifteenLinesWithBlankLinesAfterTheExamples) {
    EXPECT_EQ(CustomStringHelpText(),
              "How to Create a Custom String:\r\n"
              "\r\n"
              "When entering ASCII characters into your custom string, be sure\r\n"
              "to wrap them in quotes.  (ie. \"?V\" or \"11SE\")\r\n"
              "\r\n"
              "If you wish to enter in Hexadecimal values, simply precede\r\n"
              "the value with an 'h' or 'H'.\r\n"
              "\r\n"
              "Example of a typical Custom String:\r\n"
              "\"1SE\" h0D\r\n"
              "\r\n"
              "This example would be transmitted (in hexadecimal) as:\r\n"
              "0x31 0x53 0x45 0x0d\r\n"
              "\r\n"
              "If you wish to transmit a quote, simply precede\r\n"
              "the value with a '\\'.\r\n"
              "\r\n"
              "An Example of This is Searching a Filename:\r\n"
              "\"\\\"Filename.mpg\\\"SE\" h0D\r\n"
              "\r\n"
              "This example would be transmitted (hexadecimal shown in < >) as:\r\n"
              "\"Filename.mpg\"SE <0D>");
}

TEST(CustomStringHelpTextTest, ItsExamplesParseAsItSays) {
    EXPECT_EQ(ParseCustomString(R"("1SE" h0D)").commandText, Bytes({0x31, 0x53, 0x45, 0x0d}));
    EXPECT_EQ(ParseCustomString(R"("\"Filename.mpg\"SE" h0D)").commandText, "\"Filename.mpg\"SE\r");
}

TEST(ExpandZeroMarkersTest, TurnsEachMarkerIntoOneZeroByte) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"A\\zeroB", Bytes({0x41, 0x00, 0x42})},
        {"\\zero\\zero", Bytes({0x00, 0x00})},
        {"\\\\zero", Bytes({'\\', 0x00})},
        {"\\zer", "\\zer"},
        {"\\Zero", "\\Zero"},
        {"", ""},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ExpandZeroMarkers(text), bytes);
    }
    EXPECT_EQ(ExpandZeroMarkers(ParseCustomString("256").commandText), Bytes({0x01, 0x00}));
}

}  // namespace
}  // namespace zel
