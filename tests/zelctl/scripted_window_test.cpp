// Message boxes answered from the command line, and the log followed line by line.
#include "app/zelctl/scripted_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/zelctl/log_lines.h"
#include "support/fakes.h"

namespace zel::ctl {
namespace {

using enum MessageAnswer;

TEST(AnswerBook, QuestionsTakeTheAnswersInOrderAndOkBoxesTakeNone) {
    AnswerBook book({Ok, Yes, Cancel});
    EXPECT_EQ(book.Answer("Saved.", MessageButtons::Ok), Ok);
    EXPECT_EQ(book.Answer("Are you sure?", MessageButtons::OkCancel), Ok);
    EXPECT_EQ(book.Answer("Update now?", MessageButtons::YesNo), Yes);
    EXPECT_EQ(book.Answer("Save changes?", MessageButtons::YesNoCancel), Cancel);
    EXPECT_EQ(book.Unused(), 0u);
    EXPECT_TRUE(book.Mistakes().empty());
}

TEST(AnswerBook, UnansweredQuestionsGetTheAnswerThatChangesNothing) {
    AnswerBook book({});
    EXPECT_EQ(book.Answer("Are you sure?", MessageButtons::OkCancel), Cancel);
    EXPECT_EQ(book.Answer("Update now?", MessageButtons::YesNo), No);
    EXPECT_EQ(book.Answer("Save changes?", MessageButtons::YesNoCancel), Cancel);
    EXPECT_EQ(book.Answer("Saved.", MessageButtons::Ok), Ok);
    EXPECT_TRUE(book.Mistakes().empty());
}

TEST(AnswerBook, AnAnswerTheBoxDoesNotOfferIsAMistakeAndChangesNothing) {
    AnswerBook book({Yes, Ok});
    EXPECT_EQ(book.Answer("Are you sure?", MessageButtons::OkCancel), Cancel);
    EXPECT_EQ(book.Answer("Update now?", MessageButtons::YesNo), No);
    EXPECT_EQ(book.Mistakes(),
              (std::vector<std::string>{
                  "--answer yes does not fit the message box \"Are you sure?\" (ok-cancel); it "
                  "was answered cancel",
                  "--answer ok does not fit the message box \"Update now?\" (yes-no); it was "
                  "answered no"}));
}

TEST(ScriptedWindow, ReportsEachBoxAndPassesTimersAndPostsOn) {
    std::ostringstream out;
    JsonLineWriter events(out);
    AnswerBook book({Ok});
    test::FakeWindowSystem underneath;
    ScriptedWindowSystem window(underneath, book, events);
    EXPECT_EQ(window.MessageBox("Reboot\r\nnow?", "ZelTerm", MessageButtons::OkCancel,
                                MessageIcon::Question),
              Ok);
    EXPECT_EQ(out.str(),
              "{\"event\":\"message\",\"text\":\"Reboot\\u000D\\u000Anow?\",\"buttons\":"
              "\"ok-cancel\",\"answer\":\"ok\"}\n");
    EXPECT_TRUE(underneath.shown.empty());

    int ticks = 0;
    window.SetTimer(100, 50, [&] { ++ticks; });
    underneath.Tick(100);
    window.KillTimer(100);
    EXPECT_TRUE(underneath.timers.empty());
    window.PostToGui([&] { ++ticks; });
    underneath.RunPosted();
    EXPECT_EQ(ticks, 2);
}

TEST(LogLines, HandsOnWholeLinesAcrossPiecesAndTheRestOnFlush) {
    std::vector<std::string> lines;
    LogLines follower([&](const std::string& line) { lines.push_back(line); });
    CommLog log;
    log.SetObserver(&follower);
    log.AppendLog("Sent (127.0.0.1):  ", false);
    log.AppendLog("?V\r", true);
    log.AppendLog("\r\n", false);
    log.AppendLog("Received (127.0.0.1): V3.21<0D>\r\nhalf", false);
    EXPECT_EQ(lines, (std::vector<std::string>{"Sent (127.0.0.1):  ?V<0D>",
                                               "Received (127.0.0.1): V3.21<0D>"}));
    follower.Flush();
    follower.Flush();
    EXPECT_EQ(lines.back(), "half");
    EXPECT_EQ(lines.size(), 3u);
}

}  // namespace
}  // namespace zel::ctl
