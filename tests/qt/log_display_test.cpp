// How the log's bytes look in the log box, whole and piece by piece.
#include "gui/log_display.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <random>

#include "gui/log_line_index.h"
#include "gui/status_panel.h"

namespace zel {
namespace {

struct DisplayCase {
    const char* name;
    std::string bytes;
    std::u16string shown;
};

class DisplayLogTextTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayLogTextTest, ShowsTheBytesAsDecided) {
    EXPECT_EQ(DisplayLogText(GetParam().bytes).toStdU16String(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DisplayLogTextTest,
    ::testing::Values(DisplayCase{"Printable", "PL <0D> ~", u"PL <0D> ~"},
                      DisplayCase{"LineEndIsOneBreak", "a\r\nb", u"a\nb"},
                      DisplayCase{"LoneCarriageReturnBreaks", "a\rb", u"a\nb"},
                      DisplayCase{"LoneLineFeedBreaks", "a\nb", u"a\nb"},
                      DisplayCase{"CommandReturnBeforeLineEnd", "PL\r\r\n", u"PL\n"},
                      DisplayCase{"LineFeedThenReturn", "a\n\rb", u"a\n\nb"},
                      DisplayCase{"TwoLineEnds", "a\r\n\r\nb", u"a\n\nb"},
                      DisplayCase{"TrailingReturnsWait", "a\r\r", u"a"},
                      DisplayCase{"ControlPictures", std::string("\0\x01\t\x1b\x1f\x7f", 6),
                                  u"\u2400\u2401\u2409\u241b\u241f\u2421"},
                      DisplayCase{"HighBytesAsLatin1", "\x80\xa0\xe9\xff",
                                  u"\u0080\u00a0\u00e9\u00ff"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogDisplayMapperTest, AReturnAtTheEndOfAPieceJoinsTheNextPiecesLineFeed) {
    LogDisplayMapper mapper;
    EXPECT_EQ(mapper.Map("R\r"), QStringLiteral("R"));
    EXPECT_EQ(mapper.Map("\nS"), QStringLiteral("\nS"));
    EXPECT_EQ(mapper.Map("\r"), QString());
    EXPECT_EQ(mapper.Map("T"), QStringLiteral("\nT"));
}

// Fed in random pieces with random front drops, cut anywhere, the index's lines mapped one by
// one always give the whole-text rendering of what is left.
TEST(LogLineIndexTest, PiecesAndDropsAgreeWithTheWholeText) {
    std::mt19937 random(5);
    const std::string alphabet = "ab\r\n\x01";
    for (int run = 0; run < 200; ++run) {
        LogLineIndex index;
        std::string bytes;
        for (int step = 0; step < 30; ++step) {
            if (random() % 3 == 0 && !bytes.empty()) {
                const size_t count = random() % (bytes.size() + 1);
                bytes.erase(0, count);
                index.DropFront(count, bytes);
            } else {
                std::string piece(random() % 6 + 1, ' ');
                for (char& byte : piece) byte = alphabet[random() % alphabet.size()];
                bytes += piece;
                index.Append(piece);
            }
            QStringList lines;
            for (qsizetype line = 0; line < index.LineCount(); ++line) {
                const LogLineIndex::Bytes at = index.LineBytes(line);
                QString shown = DisplayLogText(std::string_view(bytes).substr(at.first, at.size));
                if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
                lines += shown;
            }
            ASSERT_EQ(lines.join(QLatin1Char('\n')), DisplayLogText(bytes))
                << "run " << run << " step " << step;
        }
    }
}

TEST(LogLineIndexTest, ALineWithoutEndBreaksAfter1024Characters) {
    LogLineIndex index;
    const std::string endless(2500, 'x');
    index.Append(endless);
    ASSERT_EQ(index.LineCount(), 3);
    EXPECT_EQ(index.LineBytes(1).first, 1024u);
    EXPECT_EQ(index.LineBytes(2).size, 452u);
    // Cut mid-line, the kept text starts a line of its own and breaks anew.
    index.DropFront(100, std::string_view(endless).substr(100));
    EXPECT_EQ(index.LineCount(), 3);
    EXPECT_EQ(index.LineBytes(1).first, 1024u);
    EXPECT_EQ(index.LongestLine(), 1024);
}

TEST(StatusLineTest, TheTabsSeparateLabelAndValue) {
    using Split = std::pair<QString, QString>;
    EXPECT_EQ(SplitStatusLine("Port:\t\t COM1"), Split(QStringLiteral("Port:"), "COM1"));
    EXPECT_EQ(SplitStatusLine("Protocol:\t Pioneer(ZELNet)"),
              Split(QStringLiteral("Protocol:"), "Pioneer(ZELNet)"));
    EXPECT_EQ(SplitStatusLine(""), Split());
}

}  // namespace
}  // namespace zel
