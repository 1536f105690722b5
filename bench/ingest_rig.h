#pragma once
// The terminal's logic over in-memory transports, as the receive benchmarks drive it.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "device_replies.h"
#include "products/catalog.h"
#include "support/fakes.h"
#include "terminal/connection_profile.h"
#include "terminal/zelterm_dlg.h"

namespace zel::bench {

// A terminal started on the serial port (with a Korvex) or on Ethernet (with a Sonnel), with
// nothing shown.
class FakeTerminal {
  public:
    explicit FakeTerminal(int connection) {
        serial.probe["COM1"] = ProbeResult::Available;
        updates.present = false;
        store.keyExists = true;
        const auto names = SortedProductNames(BuildCatalog());
        const auto product =
            std::find(names.begin(), names.end(), connection == kSerial ? "Korvex" : "Sonnel") -
            names.begin();
        store.SetNumber("Product", static_cast<uint32_t>(product));
        store.SetNumber("Connection", static_cast<uint32_t>(connection));
        store.SetText("Protocol", "Pioneer");
        store.SetNumber("CheckUpdateOnLaunch", 0);
        store.SetText("ProductIPAddress", "127.0.0.1");
        terminal.OnInitDialog({});
        if (terminal.Profile().connectionType != connection)
            throw std::logic_error("not connected");
    }

    // One arrival of bytes on the serial line: the event and the handler's reads.
    void SerialArrival(const std::string& bytes) {
        serial.Receive(bytes);
        serial.RaiseEvent(serial_event::kReceived);
    }
    void Datagram(const std::string& bytes) { udp.handler({bytes, "127.0.0.1", 2638, false}); }

    test::FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher updates;
    CZelTermDlg terminal{{window, store, serial, udp, usb, clock, updates}};
};

}  // namespace zel::bench
