// The log kept as a record: the file written as the log grows, through a crash, rotation and
// write errors, and the file Save Log As writes.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "gui/log_display.h"
#include "gui/log_file_recorder.h"
#include "gui/log_saving.h"
#include "support/fake_terminal.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

std::string Line(int number) {
    return "Sent (127.0.0.1):  line " + std::to_string(number);
}

// What the log shows for the lines [first, last), one per line.
QByteArray ShownLines(int first, int last) {
    QByteArray lines;
    for (int number = first; number < last; ++number) lines += Line(number) + '\n';
    return lines;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

class LogFileTest : public ::testing::Test {
  protected:
    void Record(const QString& path, uint32_t rotateKiB = 0) {
        recorder.Apply({true, path.toStdString(), rotateKiB});
    }
    void LogLines(int first, int last) {
        for (int number = first; number < last; ++number)
            log.AppendLog(Line(number) + "\r\n", false);
    }

    QTemporaryDir dir;
    CommLog log;
    LogFileRecorder recorder{log};
};

// The crash and the full disk are made with fork, signals and file-size limits, which only POSIX
// has: the Windows build leaves these two tests out (README, "Windows").
#ifndef _WIN32
// A terminal killed outright leaves every line it completed, and nothing of the one it was in.
TEST_F(LogFileTest, AKilledTerminalLeavesEveryCompleteLine) {
    const QString path = dir.filePath("log.txt");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Record(path);
        LogLines(0, 100);
        log.AppendLog("Received (127.0.0.1): unfinish", false);
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(Contents(path), ShownLines(0, 100));
}
#endif

// Read from PATH.5 to PATH, the files hold the newest lines logged, each once, in order.
TEST_F(LogFileTest, RotationKeepsTheNewestLinesInOrder) {
    const QString path = dir.filePath("log.txt");
    Record(path, 1);
    constexpr int kLines = 400;  // about 12 KiB: more than PATH and its five older files hold
    LogLines(0, kLines);
    QByteArray kept;
    for (int n = LogFileRecorder::kKeptRotations; n >= 1; --n) {
        const QByteArray older = Contents(path + '.' + QString::number(n));
        EXPECT_GE(older.size(), 1024) << n;
        kept += older;
    }
    EXPECT_FALSE(QFile::exists(path + ".6"));
    kept += Contents(path);
    const QByteArray all = ShownLines(0, kLines);
    ASSERT_LT(kept.size(), all.size());
    EXPECT_TRUE(all.endsWith(kept));
    EXPECT_TRUE(kept.startsWith("Sent ("));
}

// The log says once why the file stopped, and the file is written no more.
TEST_F(LogFileTest, AWriteErrorStopsTheFileWithOneLogLine) {
    for (const QString& path : {QStringLiteral("/dev/full"), dir.filePath("gone/log.txt")}) {
        SCOPED_TRACE(path.toStdString());
        log.Clear();
        ASSERT_TRUE(QDir(dir.path()).mkpath("gone"));
        Record(path);
        LogLines(0, 1);
        QDir(dir.filePath("gone")).removeRecursively();
        LogLines(1, 5);
        const std::string failure = "Writing the log to " + path.toStdString() + " failed (";
        EXPECT_EQ(Count(log.Text(), failure), 1u) << log.Text();
        EXPECT_EQ(Count(log.Text(), "the log is no longer written to that file.\r\n"), 1u);
        EXPECT_EQ(Count(log.Text(), Line(4)), 1u);  // the log itself goes on
        recorder.Apply({});
    }
}

class SaveLogTest : public ::testing::Test, protected test::FakeTerminal {
  protected:
    SaveLogTest() {
        serial.probe["COM1"] = ProbeResult::Available;
        updates.present = false;
        terminal.OnInitDialog({"-Product", "Korvex", "-Ethernet", "127.0.0.1"});
        terminal.Log().AppendLog("Received (127.0.0.1): R\r\x1b\xe9\r\n", false);
    }

    QString Save(const QString& path) {
        const QDateTime when(QDate(2026, 3, 7), QTime(14, 5, 9));
        return WriteLogFile(path, LogHeading(terminal, when), terminal.Log().Text());
    }

    QTemporaryDir dir;
};

TEST_F(SaveLogTest, WritesTheHeadingThenTheShownLog) {
    const QString path = dir.filePath("saved.txt");
    ASSERT_EQ(Save(path), QString());
    const QString saved = QString::fromUtf8(Contents(path));
    const QString heading = QStringLiteral(
        "Zel Terminal Version 3.21, Korvex, Ethernet 127.0.0.1:2638 (Pioneer), 2026-03-07 "
        "14:05:09\n");
    EXPECT_EQ(saved.toStdString(), (heading + DisplayLogText(terminal.Log().Text())).toStdString());
    EXPECT_TRUE(saved.endsWith(QStringLiteral("Received (127.0.0.1): R\n\u241b\u00e9\n")));
}

#ifndef _WIN32  // a file-size limit: POSIX only, as above
// A file the system refuses to let grow: the save fails and the earlier file is as it was.
TEST_F(SaveLogTest, AFailedSaveLeavesTheExistingFileUntouched) {
    const QString path = dir.filePath("saved.txt");
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier record\n");
    }
    terminal.Log().AppendLog(std::string(64 * 1024, 'x') + "\r\n", false);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{4096, limit.rlim_max};
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = Save(path);
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, oldHandler);
    EXPECT_NE(failure, QString());
    EXPECT_EQ(Contents(path), QByteArray("earlier record\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"saved.txt"});
}
#endif

}  // namespace
}  // namespace zel
