#include "services/comm_log.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace zel {
namespace {

struct RenderCase {
    std::string text;
    bool render;
    LogMode mode;
    std::string expected;
};

class RenderLogPieceTest : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderLogPieceTest, RendersAsTheModeSays) {
    const RenderCase& c = GetParam();
    EXPECT_EQ(RenderLogPiece(c.text, c.render, c.mode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RenderLogPieceTest,
    ::testing::Values(RenderCase{"PL\r", true, LogMode::Hex, "<50><4C><0D>"},
                      RenderCase{"PL\r", true, LogMode::Mixed, "PL<0D>"},
                      RenderCase{"PL\r", true, LogMode::Ascii, "PL\r"},
                      RenderCase{"\xE9", true, LogMode::Mixed, "<E9>"},
                      RenderCase{"\xE9", true, LogMode::Hex, "<E9>"},
                      RenderCase{"\xE9", true, LogMode::Ascii, "\xE9"},
                      RenderCase{"\xab", true, LogMode::Hex, "<AB>"},
                      // Mixed keeps exactly 32..126.
                      RenderCase{"\x1F ~\x7F", true, LogMode::Mixed, "<1F> ~<7F>"},
                      RenderCase{std::string("A\0B", 3), true, LogMode::Mixed, "A<00>B"},
                      RenderCase{std::string("A\0B", 3), true, LogMode::Ascii,
                                 std::string("A\0B", 3)},
                      // The zero marker in every mode, rendered or not.
                      RenderCase{"1\\zero2", true, LogMode::Hex, "<31><00><32>"},
                      RenderCase{"1\\zero2", true, LogMode::Mixed, "1<00>2"},
                      RenderCase{"1\\zero2", true, LogMode::Ascii, "12"},
                      RenderCase{"1\\zero2", false, LogMode::Hex, "12"},
                      RenderCase{"\\zero\\zero", true, LogMode::Mixed, "<00><00>"},
                      // An incomplete marker is ordinary text.
                      RenderCase{"\\zer", true, LogMode::Hex, "<5C><7A><65><72>"},
                      RenderCase{"\\zer", true, LogMode::Mixed, "\\zer"},
                      // Headers and line ends are never rendered.
                      RenderCase{"Sent (COM1):  ", false, LogMode::Hex, "Sent (COM1):  "},
                      RenderCase{"\r\n", false, LogMode::Mixed, "\r\n"}));

// Mirrors the log the way a view would, from the announcements alone.
struct MirrorObserver : CommLog::Observer {
    void OnAppended(std::string_view piece) override {
        pieces.emplace_back(piece);
        text += piece;
    }
    void OnDroppedFront(size_t count) override {
        drops.push_back(count);
        text.erase(0, count);
    }
    void OnCleared() override {
        ++clears;
        text.clear();
    }

    std::vector<std::string> pieces;
    std::vector<size_t> drops;
    int clears = 0;
    std::string text;
};

TEST(CommLogTest, AppendsInTheModeOfItsSettingsAndAnnouncesEachPiece) {
    CommLog log;
    MirrorObserver view;
    log.SetObserver(&view);
    log.Settings().mode = LogMode::Hex;

    log.AppendLog("Sent (COM1):  ", false);
    log.AppendLog("PL\r", true);
    log.AppendLog("\r\n", false);
    log.AppendLog("\\zero", false);  // nothing left to show, nothing announced

    EXPECT_EQ(log.Text(), "Sent (COM1):  <50><4C><0D>\r\n");
    EXPECT_EQ(view.pieces, (std::vector<std::string>{"Sent (COM1):  ", "<50><4C><0D>", "\r\n"}));
    EXPECT_EQ(view.text, log.Text());
}

TEST(CommLogTest, ClearEmptiesTheLogAndLaterPiecesStartAtTheTop) {
    CommLog log;
    MirrorObserver view;
    log.SetObserver(&view);
    log.AppendLog("Received (COM1): ", false);
    log.AppendLog("R", true);

    log.Clear();
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(view.clears, 1);

    log.AppendLog("\r", true);
    EXPECT_EQ(log.Text(), "<0D>");
    EXPECT_EQ(view.text, log.Text());
}

TEST(CommLogTest, DropsWholeOldestLinesDownTowardsThreeQuartersOfTheLimit) {
    CommLog log(100);
    MirrorObserver view;
    log.SetObserver(&view);
    log.Settings().mode = LogMode::Ascii;
    for (char c = '0'; c <= '9'; ++c) log.AppendLog(std::string(9, c) + "\n", false);
    EXPECT_EQ(log.Text().size(), 100u);
    EXPECT_TRUE(view.drops.empty());

    log.AppendLog("X", false);

    // The two oldest lines fit in the quarter to drop.
    EXPECT_EQ(view.drops, std::vector<size_t>{20});
    EXPECT_EQ(log.Text().substr(0, 10), "222222222\n");
    EXPECT_EQ(log.Text().size(), 81u);
    EXPECT_EQ(view.text, log.Text());
}

TEST(CommLogTest, DropsALongOldestLineWholeRatherThanCuttingIt) {
    CommLog log(100);
    MirrorObserver view;
    log.SetObserver(&view);
    log.AppendLog(std::string(90, 'a') + "\n", false);
    log.AppendLog(std::string(10, 'b'), false);

    EXPECT_EQ(view.drops, std::vector<size_t>{91});
    EXPECT_EQ(log.Text(), std::string(10, 'b'));
}

TEST(CommLogTest, CutsMidLineWhenNoLineEndsAtAll) {
    CommLog log(100);
    MirrorObserver view;
    log.SetObserver(&view);
    std::string all;
    for (int i = 0; i < 1000; ++i) {
        const std::string byte(1, static_cast<char>('a' + i % 26));
        log.AppendLog(byte, false);
        all += byte;
        ASSERT_LE(log.Text().size(), 100u);
    }
    EXPECT_EQ(log.Text(), all.substr(all.size() - log.Text().size()));
    EXPECT_EQ(view.text, log.Text());
}

TEST(CommLogTest, StaysBoundedConsistentAndLineAlignedOverManyAppends) {
    const size_t limit = 1000;
    CommLog log(limit);
    MirrorObserver view;
    log.SetObserver(&view);
    log.Settings().mode = LogMode::Mixed;
    std::string all;
    size_t appended = 0;
    for (int line = 0; line < 2000; ++line) {
        const std::string body = "line " + std::to_string(line) + std::string(line % 37, '.');
        for (char c : body) {  // one byte at a time, as a serial reply arrives
            log.AppendLog(std::string(1, c), true);
            ++appended;
        }
        log.AppendLog("\r\n", false);
        appended += 2;
        all += body + "\r\n";
        ASSERT_LE(log.Text().size(), limit);
    }

    EXPECT_EQ(view.text, log.Text());
    EXPECT_EQ(log.Text(), all.substr(all.size() - log.Text().size()));
    // Each drop frees a good share of the limit instead of one line per append.
    EXPECT_LE(view.drops.size(), 2 * appended / (limit / 4) + 1);
    size_t dropped = 0;
    for (size_t count : view.drops) {
        dropped += count;
        EXPECT_EQ(all[dropped - 1], '\n') << "cut inside a line at " << dropped;
    }
    EXPECT_EQ(dropped + log.Text().size(), all.size());
}

// A read of received bytes appended at once must leave the log, and what a view mirrors of it,
// exactly as one rendered append per byte did: marker-looking text and zero bytes included, and
// the oldest lines dropped after the same byte.
class ReceivedBytesTest
    : public ::testing::TestWithParam<std::tuple<LogMode, bool /*headers*/, size_t /*limit*/>> {
  protected:
    std::string RandomRead() {
        static const std::string kTricky[] = {
            std::string(1, '\0'), "\\zero", "\\zer", "<00>", "\r", "\n", "\r\n", "\n\r", "\r\r\n"};
        std::string bytes;
        for (size_t pieces = random() % 12; pieces > 0; --pieces) {
            if (random() % 2) {
                bytes += kTricky[random() % std::size(kTricky)];
            } else {
                bytes += static_cast<char>(random() % 256);
            }
        }
        return bytes;
    }

    static std::string Joined(const std::vector<std::string>& pieces) {
        std::string all;
        for (const auto& piece : pieces) all += piece;
        return all;
    }

    std::mt19937 random{20261207};
};

TEST_P(ReceivedBytesTest, AReadAtOnceLogsAndAnnouncesWhatByteByByteAppendsDid) {
    const auto [mode, headers, limit] = GetParam();
    CommLog byteByByte(limit), atOnce(limit);
    MirrorObserver byteByByteView, atOnceView;
    byteByByte.SetObserver(&byteByByteView);
    atOnce.SetObserver(&atOnceView);
    for (CommLog* log : {&byteByByte, &atOnce}) log->Settings().mode = mode;

    for (int read = 0; read < 3000; ++read) {
        const bool lineStart = random() % 4 == 0;
        const std::string bytes = RandomRead();
        for (CommLog* log : {&byteByByte, &atOnce}) {
            if (lineStart) log->AppendLog("\r\n", false);
            if (lineStart && headers) {
                log->AppendLog("[12:34:56] ", false);
                log->AppendLog("Received (COM1): ", false);
            }
        }
        for (char byte : bytes) byteByByte.AppendLog(std::string_view(&byte, 1), true);
        atOnce.AppendReceived(bytes);
        ASSERT_EQ(atOnce.Text(), byteByByte.Text()) << "after read " << read;
    }
    EXPECT_EQ(atOnceView.text, atOnce.Text());
    EXPECT_EQ(atOnceView.drops, byteByByteView.drops);
    EXPECT_EQ(Joined(atOnceView.pieces), Joined(byteByByteView.pieces));
    EXPECT_LT(atOnceView.pieces.size(), byteByByteView.pieces.size());
}

INSTANTIATE_TEST_SUITE_P(
    ModesHeadersAndLimits, ReceivedBytesTest,
    ::testing::Combine(::testing::Values(LogMode::Ascii, LogMode::Mixed, LogMode::Hex),
                       ::testing::Bool(),
                       ::testing::Values(size_t{700}, CommLog::kDefaultLimitBytes)));

}  // namespace
}  // namespace zel
