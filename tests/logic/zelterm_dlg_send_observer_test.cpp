// The traffic observer sees every command as the page or the Send button passed it, before the
// unit address and carriage return are added and before anything is written, then whether it
// went out; and the bytes received, as they came.
#include <gtest/gtest.h>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

struct Observed {
    std::string text;
    bool cr;
    size_t datagramsBefore;  // what the transport had sent when the observer was told
    bool wentOut = false;
    bool operator==(const Observed&) const = default;
};

struct Recorder : CZelTermDlg::TrafficObserver {
    explicit Recorder(const test::FakeUdpSocket& udp) : udp(udp) {}
    void OnSending(std::string_view text, bool cr) override {
        observed.push_back({std::string(text), cr, udp.sent.size()});
    }
    void OnSendEnded(bool wentOut) override { observed.back().wentOut = wentOut; }
    void OnReceived(std::string_view bytes) override { received += bytes; }
    const test::FakeUdpSocket& udp;
    std::vector<Observed> observed;
    std::string received;
};

TEST(TrafficObserver, SeesTheTextAsPassedBeforeItIsFramedAndSentAndTheBytesReceived) {
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

    Recorder recorder(udp);
    terminal.SetTrafficObserver(&recorder);
    terminal.SendCommand("11PL", true);
    terminal.SetCustomString("\"?V\" h00");
    terminal.OnSend();
    terminal.SendCommand("", true);  // told, though nothing goes out
    terminal.OnUdpReceive({.data = std::string("V3\0\r", 4), .senderAddress = "127.0.0.1"});

    EXPECT_EQ(recorder.observed,
              (std::vector<Observed>{
                  {"11PL", true, 0, true}, {"?V\\zero", false, 1, true}, {"", true, 2, false}}));
    EXPECT_EQ(recorder.received, std::string("V3\0\r", 4));
    ASSERT_EQ(udp.sent.size(), 2u);
    EXPECT_EQ(udp.sent[0].text, "7@11PL\r");
}

}  // namespace
}  // namespace zel
