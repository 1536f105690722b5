// What the operator reads about a send outside the log: the custom string's bytes before Send,
// and a command that went unanswered.
#include "terminal/send_preview.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

class SendPreviewTest : public ::testing::Test {
  protected:
    SendPreviewTest() {
        serial.probe["COM1"] = ProbeResult::Available;
        launcher.present = false;
        terminal.OnInitDialog({});
    }

    void SendUnitAddress(uint32_t address) {
        ConnectionProfile profile = terminal.Profile();
        profile.sendUnitAddress = true;
        profile.unitAddress = address;
        terminal.ApplyConnectionSetup(profile);
    }

    test::FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher launcher;
    CZelTermDlg terminal{{window, store, serial, udp, usb, clock, launcher}};
};

TEST_F(SendPreviewTest, TheLineUnderTheBoxShowsTheWireBytesOrTheErrorAndSendsNothing) {
    SendUnitAddress(3);
    const std::pair<const char*, const char*> rows[] = {
        {"\"?V\" h0D", "Send would put on the wire: 3@?V<0D>  (nothing sent yet)"},
        {"\"?V\"", "Send would put on the wire: 3@?V  (nothing sent yet)"},
        {"\"abc", "Send would put on the wire: 3@abc  (nothing sent yet)"},
        {"h0", "Send would put on the wire: 3@<00>  (nothing sent yet)"},
        {"", "Send would send nothing"},
        {"hG", "Send would not send: Error: Problem found in Hex Sequence"},
        {"\"\\q\"",
         "Send would not send: ERROR: Invalid Escape Sequence (\\).  Click the 'Help' Button for "
         "assistance."},
    };
    const size_t logged = terminal.Log().Text().size();
    for (const auto& [typed, shown] : rows) {
        EXPECT_EQ(CustomStringPreview(terminal, typed), shown) << typed;
    }
    EXPECT_TRUE(serial.written.empty());
    EXPECT_EQ(terminal.Log().Text().size(), logged);
}

TEST_F(SendPreviewTest, AnUnansweredSendIsSaidUntilTheNextReplyOrSendAndTheLogStaysAsItWas) {
    terminal.SendCommand("?V", true);
    ASSERT_TRUE(window.timers.count(CZelTermDlg::kNoReplyTimerId));
    EXPECT_EQ(window.timers[CZelTermDlg::kNoReplyTimerId].periodMs, 1000u);
    const std::string log = terminal.Log().Text();
    window.Tick(CZelTermDlg::kNoReplyTimerId);
    EXPECT_EQ(terminal.ReplyStatus(), "No reply to ?V<0D> after 1 s");
    EXPECT_EQ(terminal.Log().Text(), log);
    EXPECT_FALSE(window.timers.count(CZelTermDlg::kNoReplyTimerId));  // said once

    terminal.SendCommand("PL", true);  // the next send clears it and waits afresh
    EXPECT_EQ(terminal.ReplyStatus(), "");
    serial.Receive("R\r");
    serial.RaiseEvent(serial_event::kReceived);
    EXPECT_FALSE(window.timers.count(CZelTermDlg::kNoReplyTimerId));  // answered

    terminal.ApplyNoReplyMs(1500);
    terminal.SendCommand("?V", true);
    window.Tick(CZelTermDlg::kNoReplyTimerId);
    EXPECT_EQ(terminal.ReplyStatus(), "No reply to ?V<0D> after 1500 ms");
    serial.Receive("V3\r");
    serial.RaiseEvent(serial_event::kReceived);
    EXPECT_EQ(terminal.ReplyStatus(), "");

    terminal.ApplyNoReplyMs(0);  // off
    terminal.SendCommand("?V", true);
    EXPECT_FALSE(window.timers.count(CZelTermDlg::kNoReplyTimerId));
    terminal.OnCancel();
    CZelTermDlg again{{window, store, serial, udp, usb, clock, launcher}};
    again.OnInitDialog({});
    EXPECT_EQ(again.NoReplyMs(), 0u);  // kept in the settings
}

}  // namespace
}  // namespace zel
