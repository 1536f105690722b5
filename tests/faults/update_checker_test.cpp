// The update checker beside the terminal hanging, crashing or missing when the terminal starts:
// the start waits no longer than the checker's time-out, nothing is said, and the terminal goes
// on. Shell scripts in a temporary folder stand in for the update programs.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>

#include "gui/qt_update_launcher.h"
#include "support/fakes.h"
#include "terminal/update_check.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

using namespace std::chrono_literals;

// Only a hang would take longer; starting a script is quick even under load.
constexpr auto kStartBound = std::chrono::milliseconds(kUpdateCheckerTimeoutMs) + 10s;

struct CheckerCase {
    const char* what;
    const char* checker;  // the checker script's body; null when there is no checker
    bool executable;
    bool runs;  // the checker starts at all
};

// Named by what goes wrong, in test names and messages alike.
void PrintTo(const CheckerCase& fault, std::ostream* out) {
    *out << fault.what;
}

class UpdateCheckerFaultTest : public ::testing::TestWithParam<CheckerCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        WriteScript("updater.exe", "touch \"$(dirname \"$0\")/updater_ran\"\n", true);
        store.keyExists = true;
        store.SetNumber("CheckUpdateOnLaunch", 1);
        store.SetText("ComPort", "COM1");
        serial.probe["COM1"] = ProbeResult::Available;
    }

    void WriteScript(const QString& name, const QString& body, bool executable) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        auto permissions = QFile::ReadOwner | QFile::WriteOwner;
        file.setPermissions(executable ? permissions | QFile::ExeOwner : permissions);
    }

    QTemporaryDir folder;
    QtUpdateLauncher launcher{folder.path()};
    test::FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
};

TEST_P(UpdateCheckerFaultTest, TheTerminalStartsWithinTheTimeOutSaysNothingAndGoesOn) {
    const CheckerCase& fault = GetParam();
    if (fault.checker) {
        WriteScript("uptr_check.exe",
                    QStringLiteral("touch \"$(dirname \"$0\")/checker_ran\"\n") + fault.checker,
                    fault.executable);
    }

    CZelTermDlg terminal({window, store, serial, udp, usb, clock, launcher});
    auto start = std::chrono::steady_clock::now();
    terminal.OnInitDialog({});
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStartBound);

    EXPECT_EQ(QFile::exists(folder.filePath("checker_ran")), fault.runs);
    EXPECT_TRUE(window.shown.empty()) << window.shown.front().text;
    EXPECT_FALSE(QFile::exists(folder.filePath("updater_ran")));
    terminal.SendCommand("PL", true);
    EXPECT_EQ(serial.written, std::vector<std::string>{"PL\r"});
}

INSTANTIATE_TEST_SUITE_P(Faults, UpdateCheckerFaultTest,
                         ::testing::Values(CheckerCase{"Hangs", "exec sleep 30\n", true, true},
                                           CheckerCase{"KilledByASignal", "kill -SEGV $$\n", true,
                                                       true},
                                           CheckerCase{"CannotStart", "exit 1\n", false, false},
                                           CheckerCase{"Missing", nullptr, false, false}),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace zel
