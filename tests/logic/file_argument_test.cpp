// The file argument in front of the players' file commands, as typed into the box.
#include "products/file_argument.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace zel {
namespace {

constexpr const char* kRefusal = "Enter file name or number(0-99999)";

struct FileArgumentCase {
    std::string box;
    std::string argument;
    bool refused;
};

class FileArgumentTest : public ::testing::TestWithParam<FileArgumentCase> {};

TEST_P(FileArgumentTest, DigitsGoOutAsTypedNamesInQuotesAndTheRestIsRefused) {
    const FileArgumentCase& c = GetParam();
    test::FakeWindowSystem window;
    window.answers.push_back(MessageAnswer::Cancel);  // the answer changes nothing
    EXPECT_EQ(NormalizeFileArgument(c.box, window), c.argument);
    if (c.refused) {
        ASSERT_EQ(window.shown.size(), 1u);
        EXPECT_EQ(window.shown[0].text, kRefusal);
        EXPECT_EQ(window.shown[0].buttons, MessageButtons::OkCancel);
    } else {
        EXPECT_TRUE(window.shown.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, FileArgumentTest,
    ::testing::Values(
        FileArgumentCase{"18", "18", false}, FileArgumentCase{"0", "0", false},
        FileArgumentCase{"00018", "00018", false}, FileArgumentCase{"99999", "99999", false},
        FileArgumentCase{"100000", "", true}, FileArgumentCase{"", "", true},
        FileArgumentCase{"vid00018.mpg", "\"vid00018.mpg\"", false},
        // Once a non-digit is in, length no longer matters.
        FileArgumentCase{"1234567890x", "\"1234567890x\"", false},
        FileArgumentCase{" 18", "\" 18\"", false}, FileArgumentCase{"18 ", "\"18 \"", false},
        FileArgumentCase{"-1", "\"-1\"", false}, FileArgumentCase{"1\xb2", "\"1\xb2\"", false},
        FileArgumentCase{"\xe9t\xe9.mpg", "\"\xe9t\xe9.mpg\"", false}));

}  // namespace
}  // namespace zel
