#pragma once
// The terminal's logic over the test stand-ins for everything but its settings store, with the
// checks every terminal-driving fuzz target makes afterwards.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "services/custom_string.h"
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel::fuzz {

// A framed command adds at most a unit address ("4294967295@") and a carriage return.
inline constexpr size_t kMaxFramedCommandBytes = kMaxCustomStringBytes + 12;

class FakeTerminal {
  public:
    explicit FakeTerminal(ISettingsStore& settings)
        : dlg({window, settings, serial, udp, usb, clock, launcher}) {
        serial.probe["COM1"] = ProbeResult::Available;
        serial.probe["COM2"] = ProbeResult::Available;
        launcher.present = false;
    }

    void CheckState() {
        Require(dlg.CurrentProduct() != nullptr, "no current product");
        Require(dlg.ProductListIndex() >= 0 &&
                    size_t(dlg.ProductListIndex()) < dlg.ProductNames().size(),
                "the product list points past its names");
        Require(dlg.Profile().connectionType >= 0 && dlg.Profile().connectionType < 3,
                "an unknown connection type");
        for (const std::string& text : serial.written) CheckSent(text);
        for (const auto& sent : udp.sent) CheckSent(sent.text);
        for (const std::string& bytes : usb.written) CheckSent(bytes);
    }

    test::FakeWindowSystem window;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher launcher;
    CZelTermDlg dlg;

  private:
    static void CheckSent(std::string_view text) {
        Require(ExpandZeroMarkers(text).size() <= kMaxFramedCommandBytes,
                "a command beyond the custom string limit went out");
    }
};

}  // namespace zel::fuzz
