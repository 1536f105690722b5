#pragma once
// The terminal with its real settings file, transports, clock and update programs, built on the
// window system of the run (with or without a window).
#include "gui/log_file_recorder.h"
#include "gui/qt_update_launcher.h"
#include "gui/settings_store_of_platform.h"
#include "terminal/zelterm_dlg.h"
#include "transport/serial_window.h"
#include "transport/system_services.h"
#include "transport/zel_socket.h"
#include "transport/zel_usb.h"

namespace zel {

struct TerminalParts {
    explicit TerminalParts(IWindowSystem& window)
        : serial(window),
          udp(window),
          usb(MakeSystemUsbBackend()),
          updates(QtUpdateLauncher::DefaultFolder()),
          terminal({window, settings, serial, udp, usb, clock, updates}),
          recorder(terminal.Log()) {
        terminal.SetLogRecorder(&recorder);
    }

    PlatformSettingsStore settings;
    CSerialWnd serial;
    CZelSocket udp;
    CZelUSB usb;
    SystemClock clock;
    QtUpdateLauncher updates;
    CZelTermDlg terminal;  // after the transports: it closes them when it goes
    LogFileRecorder recorder;
};

}  // namespace zel
