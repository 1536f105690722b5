// The Log, Advanced and update dialogs' logic, handed back to the terminal as on OK.
#include <gtest/gtest.h>

#include "support/fakes.h"
#include "terminal/adv_config.h"
#include "terminal/log_config.h"
#include "terminal/update_dlg.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

using test::FakeUpdateLauncher;
using test::FakeWindowSystem;

TEST(LogConfigTest, ModesAndFlagsAreTakenIntoTheCopy) {
    LogSettings original{LogMode::Mixed, false, true};
    CLogConfigDlg dlg(original);
    dlg.OnModeClicked(LogMode::Hex);
    dlg.OnShowTimeStampClicked(true);
    dlg.OnShowDetailsClicked(false);
    EXPECT_EQ(dlg.Settings().mode, LogMode::Hex);
    EXPECT_TRUE(dlg.Settings().showTimeStamp);
    EXPECT_FALSE(dlg.Settings().showDetails);
    EXPECT_EQ(original.mode, LogMode::Mixed);
}

TEST(AdvConfigTest, ThePeriodIsEditableOnlyWhileRepeating) {
    FakeWindowSystem window;
    CAdvConfigDlg dlg(RepeatSettings{}, window);
    EXPECT_FALSE(dlg.PeriodEnabled());
    EXPECT_EQ(dlg.PeriodText(), "1000");
    dlg.OnRepeatClicked(true);
    EXPECT_TRUE(dlg.PeriodEnabled());
}

TEST(AdvConfigTest, ThePeriodMustBeAnUnsignedNumberWithoutRange) {
    const std::pair<const char*, std::optional<uint32_t>> rows[] = {
        {"250", 250u}, {"0", 0u}, {"4000000000", 4000000000u}, {"abc", {}}, {"-250", {}}, {"", {}},
    };
    for (const auto& [text, period] : rows) {
        SCOPED_TRACE(text);
        FakeWindowSystem window;
        CAdvConfigDlg dlg(RepeatSettings{true, 1000}, window);
        dlg.SetPeriodText(text);
        EXPECT_EQ(dlg.OnOk(), period.has_value());
        if (period) {
            EXPECT_EQ(dlg.Settings().periodMs, *period);
            EXPECT_TRUE(window.shown.empty());
        } else {
            ASSERT_EQ(window.shown.size(), 1u);
            EXPECT_EQ(window.shown[0].text, "Please enter a positive integer.");
        }
    }
}

TEST(AdvConfigTest, TheLimitIsEmptyForNoneOrACountOfOneOrMore) {
    const std::pair<const char*, std::optional<uint32_t>> rows[] = {
        {"", {}}, {"  ", {}}, {"3", 3u}, {" 1 ", 1u}, {"0", {}}, {"-3", {}}, {"x", {}},
    };
    for (const auto& [text, limit] : rows) {
        SCOPED_TRACE(text);
        FakeWindowSystem window;
        CAdvConfigDlg dlg(RepeatSettings{true, 1000, 7}, window);
        EXPECT_EQ(dlg.StopAfterText(), "7");
        dlg.SetStopAfterText(text);
        const bool blank = std::string_view(text).find_first_not_of(' ') == std::string_view::npos;
        EXPECT_EQ(dlg.OnOk(), limit || blank);
        if (limit || blank) {
            EXPECT_EQ(dlg.Settings().stopAfter, limit);
        } else {
            EXPECT_EQ(dlg.Refused(), CAdvConfigDlg::Field::StopAfter);
            ASSERT_EQ(window.shown.size(), 1u);
            EXPECT_EQ(window.shown[0].text, "Please enter a positive integer.");
            EXPECT_EQ(dlg.Settings().stopAfter, std::optional<uint32_t>(7));
        }
    }
}

TEST(AdvConfigTest, TurningRepeatOffKeepsThePeriodWhateverWasTyped) {
    FakeWindowSystem window;
    CAdvConfigDlg dlg(RepeatSettings{true, 500}, window);
    dlg.SetPeriodText("abc");
    dlg.OnRepeatClicked(false);
    EXPECT_TRUE(dlg.OnOk());
    EXPECT_FALSE(dlg.Settings().repeat);
    EXPECT_EQ(dlg.Settings().periodMs, 500u);
}

class UpdateDialogTest : public ::testing::Test {
  protected:
    UpdateDialogTest() {
        launcher.present = false;
        terminal.OnInitDialog({});
    }

    FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    FakeUpdateLauncher launcher;
    CZelTermDlg terminal{TerminalServices{window, store, serial, udp, usb, clock, launcher}};
};

TEST_F(UpdateDialogTest, TheBoxShowsTheSettingAndOkStoresItsState) {
    ASSERT_EQ(terminal.CheckUpdateOnLaunchValue(), 1u);
    UpdateDlg dlg(terminal.CheckUpdateOnLaunchValue(), launcher, window);
    EXPECT_TRUE(dlg.CheckOnStartup());
    dlg.OnCheckOnStartupClicked(false);
    terminal.ApplyCheckUpdateOnLaunch(dlg.CheckOnStartupValue());
    EXPECT_EQ(terminal.CheckUpdateOnLaunchValue(), 0u);
    EXPECT_FALSE(UpdateDlg(0, launcher, window).CheckOnStartup());
}

TEST_F(UpdateDialogTest, CheckingFromTheDialogReportsEveryAnswer) {
    const std::pair<std::optional<int>, const char*> rows[] = {
        {2, "Your Zel Terminal software is up to date"},
        {0, "Can not check for updates. No internet connection was found."},
        {1, "A new update is available! Do you want to update now?"},
        {7, nullptr},
        {std::nullopt, nullptr},
    };
    for (const auto& [exitCode, message] : rows) {
        SCOPED_TRACE(message ? message : "no answer");
        window.shown.clear();
        launcher.present = true;
        launcher.exitCode = exitCode;
        UpdateDlg dlg(1, launcher, window);
        dlg.OnCheckForUpdates();
        ASSERT_EQ(window.shown.size(), message ? 1u : 0u);
        if (message) {
            EXPECT_EQ(window.shown[0].text, message);
        }
    }
    EXPECT_EQ(launcher.lastTimeoutMs, 10000);
}

TEST_F(UpdateDialogTest, YesToTheQuestionStartsTheUpdater) {
    launcher.present = true;
    launcher.exitCode = 1;
    window.answers.push_back(MessageAnswer::Yes);
    UpdateDlg(1, launcher, window).OnCheckForUpdates();
    EXPECT_EQ(launcher.updaterStarts, 1);
}

}  // namespace
}  // namespace zel
