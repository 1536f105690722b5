#pragma once
// A terminal on fakes of every service it takes, for fixtures that drive it whole.
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel::test {

struct FakeTerminal {
    FakeWindowSystem windows;
    FakeSettingsStore settings;
    FakeSerialPort serial;
    FakeUdpSocket udp;
    FakeUsbLink usb;
    FakeClock clock;
    FakeUpdateLauncher updates;
    CZelTermDlg terminal{{windows, settings, serial, udp, usb, clock, updates}};
};

}  // namespace zel::test
