// The send observer sees every command as the page or the Send button passed it, before the
// unit address and carriage return are added and before anything is written.
#include <gtest/gtest.h>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

struct Observed {
    std::string text;
    bool cr;
    size_t datagramsBefore;  // what the transport had sent when the observer was told
    bool operator==(const Observed&) const = default;
};

TEST(SendObserver, SeesTheTextAsPassedBeforeItIsFramedAndSent) {
    test::FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher launcher;
    launcher.present = false;
    store.keyExists = true;
    auto names = SortedProductNames(BuildCatalog());
    store.SetNumber("Product", std::find(names.begin(), names.end(), "Korvex") - names.begin());
    store.SetNumber("Connection", kEthernet);
    store.SetText("Protocol", "Pioneer");
    store.SetText("ProductIPAddress", "127.0.0.1");
    CZelTermDlg terminal({window, store, serial, udp, usb, clock, launcher});
    terminal.OnInitDialog({});
    ConnectionProfile withUnitAddress = terminal.Profile();
    withUnitAddress.sendUnitAddress = true;
    withUnitAddress.unitAddress = 7;
    terminal.ApplyConnectionSetup(withUnitAddress);

    std::vector<Observed> observed;
    terminal.SetSendObserver([&](std::string_view text, bool cr) {
        observed.push_back({std::string(text), cr, udp.sent.size()});
    });
    terminal.SendCommand("11PL", true);
    terminal.SetCustomString("\"?V\" h00");
    terminal.OnSend();
    terminal.SendCommand("", true);  // told, though nothing goes out

    EXPECT_EQ(observed,
              (std::vector<Observed>{{"11PL", true, 0}, {"?V\\zero", false, 1}, {"", true, 2}}));
    ASSERT_EQ(udp.sent.size(), 2u);
    EXPECT_EQ(udp.sent[0].text, "7@11PL\r");
}

}  // namespace
}  // namespace zel
