// Finding a text in the log box's shown text, either way from the selection, round the ends.
#include "gui/text_search.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

const QString kText = QStringLiteral("Sent (COM1):  PL\nReceived (COM1): R\nSent (COM1):  pl\n");
// "Sent" at 0 and 36, "PL" at 14, "Received" at 17, "pl" at 50; 53 characters.

struct SearchCase {
    const char* name;
    QString needle;
    qsizetype selectionStart, selectionEnd;
    SearchDirection direction;
    Qt::CaseSensitivity sensitivity;
    std::optional<TextMatch> found;
};

void PrintTo(const SearchCase& search, std::ostream* out) {
    *out << search.name;
}

class FindInTextTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(FindInTextTest, FindsTheMatchExpected) {
    const SearchCase& search = GetParam();
    const auto found = FindInText(kText, search.needle, search.selectionStart, search.selectionEnd,
                                  search.direction, search.sensitivity);
    ASSERT_EQ(found.has_value(), search.found.has_value());
    if (found) {
        EXPECT_EQ(found->start, search.found->start);
        EXPECT_EQ(found->length, search.found->length);
        EXPECT_EQ(found->wrapped, search.found->wrapped);
        EXPECT_EQ(kText.mid(found->start, found->length).compare(search.needle, search.sensitivity),
                  0);
    }
}

constexpr auto kForward = SearchDirection::Forward;
constexpr auto kBackward = SearchDirection::Backward;
constexpr auto kCase = Qt::CaseSensitive;
constexpr auto kAnyCase = Qt::CaseInsensitive;

INSTANTIATE_TEST_SUITE_P(
    Searches, FindInTextTest,
    ::testing::Values(
        SearchCase{"FromTheCaret", "Sent", 0, 0, kForward, kCase, TextMatch{0, 4, false}},
        SearchCase{"PastTheSelectedMatch", "Sent", 0, 4, kForward, kCase, TextMatch{36, 4, false}},
        SearchCase{"ForwardWrapsToTheStart", "Sent", 36, 40, kForward, kCase,
                   TextMatch{0, 4, true}},
        SearchCase{"BackwardBeforeTheSelectedMatch", "Sent", 36, 40, kBackward, kCase,
                   TextMatch{0, 4, false}},
        SearchCase{"BackwardWrapsToTheEnd", "Sent", 0, 4, kBackward, kCase, TextMatch{36, 4, true}},
        SearchCase{"AloneItWrapsToItself", "Received", 17, 25, kForward, kCase,
                   TextMatch{17, 8, true}},
        SearchCase{"MatchCaseSkipsOtherCase", "pl", 0, 0, kForward, kCase, TextMatch{50, 2, false}},
        SearchCase{"AnyCaseTakesTheFirst", "pl", 0, 0, kForward, kAnyCase, TextMatch{14, 2, false}},
        SearchCase{"AnyCaseBackward", "PL", 50, 52, kBackward, kAnyCase, TextMatch{14, 2, false}},
        SearchCase{"NotFound", "Sent (COM2)", 0, 0, kForward, kCase, std::nullopt},
        SearchCase{"NotFoundInThisCase", "sent", 0, 0, kBackward, kCase, std::nullopt},
        SearchCase{"EmptyFindsNothing", "", 0, 0, kForward, kAnyCase, std::nullopt},
        SearchCase{"CaretAtTheEnd", "R", 53, 53, kForward, kCase, TextMatch{17, 1, true}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zel
