#pragma once
// The terminal as the program runs it with its window: the main window over CZelTermDlg, the
// real serial line and UDP socket, and a settings file of its own. Message boxes go to standard
// error, so nothing modal can hold a flood test up.
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "gui/console_window_system.h"
#include "gui/main_window.h"
#include "gui/qt_settings_store.h"
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"
#include "transport/serial_window.h"
#include "transport/system_clock_posix.h"
#include "transport/zel_socket.h"

namespace zel::test {

// What the settings file holds when the terminal starts.
struct TerminalChoice {
    std::string product;
    int connection = kSerial;
    std::string protocol;
    std::string serialPort;  // also the only candidate port while the terminal runs
    std::string baudRate = "19200";
    uint32_t productUdpPort = 0;
    uint32_t localUdpPort = 0;
};

class WindowedTerminal {
  public:
    explicit WindowedTerminal(const TerminalChoice& choice);
    ~WindowedTerminal();
    WindowedTerminal(const WindowedTerminal&) = delete;
    WindowedTerminal& operator=(const WindowedTerminal&) = delete;

    CZelTermDlg& Terminal() { return terminal_; }
    MainWindow& Window() { return window_; }
    CSerialWnd& Serial() { return serial_; }
    CZelSocket& Udp() { return udp_; }

    // The log box's shown text, its lines joined by '\n'.
    QString ShownLog();
    // The box's last line that is not empty.
    QString LastShownLine();
    // Handles events until the box shows the whole log as it stands; false when it does not
    // within the time-out.
    bool BoxCatchesUp(std::chrono::milliseconds timeout);

  private:
    std::optional<std::string> savedSerialPorts_;
    QTemporaryDir dir_;
    ConsoleWindowSystem windows_;
    QtSettingsStore settings_;
    CSerialWnd serial_{windows_};
    CZelSocket udp_{windows_};
    FakeUsbLink usb_;
    SystemClock clock_;
    FakeUpdateLauncher updates_;
    CZelTermDlg terminal_{{windows_, settings_, serial_, udp_, usb_, clock_, updates_}};
    MainWindow window_{terminal_};
};

// Runs the event loop until done() holds; false when it does not within the time-out.
bool PumpEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

}  // namespace zel::test
