// The update programs as the terminal runs them: small shell scripts in a temporary folder stand
// in for the checker and the updater, and leave marker files in that folder only.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/qt_update_launcher.h"
#include "gui/settings_dialogs.h"
#include "gui_dialogs/dialog_fixture.h"

namespace zel {
namespace {

constexpr int kGenerousWaitMs = 20000;

class UpdateProgramsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    void WriteScript(const QString& name, const QString& body) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\nhere=\"$(dirname \"$0\")\"\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Notes its working folder and arguments, waits, then exits with the code.
    void WriteChecker(int exitCode, int sleepSeconds = 0) {
        WriteScript("uptr_check.exe", QStringLiteral("pwd > \"$here/checker_ran\"\n"
                                                     "echo \"$@\" >> \"$here/checker_ran\"\n"
                                                     "sleep %1\n"
                                                     "touch \"$here/checker_finished\"\n"
                                                     "exit %2\n")
                                          .arg(sleepSeconds)
                                          .arg(exitCode));
    }

    void WriteUpdater() { WriteScript("updater.exe", "pwd > \"$here/updater_ran\"\n"); }

    bool Exists(const char* marker) { return QFile::exists(folder.filePath(marker)); }

    bool WaitFor(const char* marker) {
        QDeadlineTimer deadline(kGenerousWaitMs);
        while (!Exists(marker) && !deadline.hasExpired()) QTest::qWait(20);
        return Exists(marker);
    }

    QStringList Lines(const char* marker) {
        QFile file(folder.filePath(marker));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QString CanonicalFolder() { return QDir(folder.path()).canonicalPath(); }

    QTemporaryDir folder;
    QtUpdateLauncher launcher{folder.path()};
};

TEST_F(UpdateProgramsTest, BothProgramsMustBePresent) {
    EXPECT_FALSE(launcher.ProgramsPresent());
    WriteChecker(2);
    EXPECT_FALSE(launcher.ProgramsPresent());
    WriteUpdater();
    EXPECT_TRUE(launcher.ProgramsPresent());
}

TEST_F(UpdateProgramsTest, TheCheckerRunsInTheFolderAndItsExitCodeIsTheAnswer) {
    for (int code : {0, 1, 2, 5}) {
        SCOPED_TRACE(code);
        WriteChecker(code);
        EXPECT_EQ(launcher.RunChecker(kGenerousWaitMs), code);
        EXPECT_EQ(Lines("checker_ran"), QStringList({CanonicalFolder(), "-checkforupdates"}));
    }
}

TEST_F(UpdateProgramsTest, ACheckerStillRunningIsNoAnswerAndIsLeftToFinish) {
    WriteChecker(2, 3);
    EXPECT_EQ(launcher.RunChecker(500), std::nullopt);
    EXPECT_FALSE(Exists("checker_finished"));
    EXPECT_TRUE(WaitFor("checker_finished"));
}

TEST_F(UpdateProgramsTest, TheUpdaterIsStartedInTheFolderWithoutWaiting) {
    WriteUpdater();
    EXPECT_TRUE(launcher.StartUpdater());
    ASSERT_TRUE(WaitFor("updater_ran"));
    EXPECT_EQ(Lines("updater_ran"), QStringList{CanonicalFolder()});
}

class UpdateDialogProgramsTest : public UpdateProgramsTest {
  protected:
    // Opens the update dialog, presses "Check for Updates" and then OK.
    void CheckFromTheDialog() {
        test::WhenModalShown([](QDialog& dialog) {
            test::ClickButton(dialog.findChild<QPushButton*>("checkForUpdates"));
            EXPECT_TRUE(dialog.isVisible());
            test::ClickButton(dialog.findChild<QPushButton*>("okButton"));
        });
        OpenUpdateDialog(nullptr, *fakes.terminal);
    }

    std::vector<std::string> Shown() {
        std::vector<std::string> texts;
        for (const auto& shown : fakes.window.shown) texts.push_back(shown.text);
        return texts;
    }

    test::TerminalOnFakes fakes{&launcher};
};

TEST_F(UpdateDialogProgramsTest, EachAnswerOfTheCheckerIsShown) {
    const std::pair<int, const char*> rows[] = {
        {2, "Your Zel Terminal software is up to date"},
        {0, "Can not check for updates. No internet connection was found."},
        {1, "A new update is available! Do you want to update now?"},
    };
    WriteUpdater();
    for (const auto& [code, message] : rows) {
        SCOPED_TRACE(code);
        fakes.window.shown.clear();
        WriteChecker(code);
        CheckFromTheDialog();
        EXPECT_EQ(Shown(), std::vector<std::string>{message});
    }
    EXPECT_FALSE(Exists("updater_ran"));  // the question was answered No
}

TEST_F(UpdateDialogProgramsTest, YesToTheQuestionStartsTheUpdater) {
    WriteUpdater();
    WriteChecker(1);
    fakes.window.answers.push_back(MessageAnswer::Yes);
    CheckFromTheDialog();
    EXPECT_TRUE(WaitFor("updater_ran"));
}

TEST_F(UpdateDialogProgramsTest, WithoutTheUpdaterNothingRunsAndTheDialogSaysWhereItLooked) {
    WriteChecker(2);
    CheckFromTheDialog();
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "No update checker is installed: updater.exe and uptr_check.exe were "
                           "looked for in " +
                           QDir::toNativeSeparators(folder.path()).toStdString() + "."});
    EXPECT_FALSE(Exists("checker_ran"));
}

}  // namespace
}  // namespace zel
