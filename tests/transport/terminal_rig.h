#pragma once
// A terminal as the program builds it, with real serial and UDP transports, but with the test
// as its GUI thread and a settings store in memory.
#include <algorithm>
#include <string>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"
#include "transport/queued_window_system.h"
#include "transport/serial_window.h"
#include "transport/zel_socket.h"

namespace zel::test {

inline const std::string kGreeting = "Be sure to setup your connection \r\n";

class TerminalRig {
  public:
    explicit TerminalRig(FakeSettingsStore& store)
        : terminal_({window, store, serial, udp, usb, clock, updates}) {
        updates.present = false;
        terminal_.OnInitDialog({});
    }

    CZelTermDlg& operator*() { return terminal_; }
    CZelTermDlg* operator->() { return &terminal_; }
    // The log after the greeting.
    std::string Log() {
        const std::string& text = terminal_.Log().Text();
        return text.rfind(kGreeting, 0) == 0 ? text.substr(kGreeting.size()) : text;
    }
    bool PumpUntilLogHas(const std::string& text) {
        return window.RunUntil([&] { return Log().find(text) != std::string::npos; });
    }

    QueuedWindowSystem window;
    CSerialWnd serial{window};
    CZelSocket udp{window};
    FakeUsbLink usb;
    FakeClock clock;
    FakeUpdateLauncher updates;

  private:
    CZelTermDlg terminal_;
};

// Stores a product chosen as the terminal's list orders it, with its connection and protocol,
// and no update check at launch.
inline void StoreProduct(FakeSettingsStore& store, const std::string& product, int connection,
                         const std::string& protocol) {
    store.keyExists = true;
    auto names = SortedProductNames(BuildCatalog());
    store.SetNumber("Product", std::find(names.begin(), names.end(), product) - names.begin());
    store.SetNumber("Connection", connection);
    store.SetText("Protocol", protocol);
    store.SetNumber("CheckUpdateOnLaunch", 0);
}

}  // namespace zel::test
