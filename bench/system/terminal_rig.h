#pragma once
// The terminal as zelterm builds it, with its main window shown (or, to tell the window's cost
// apart, none), over a settings file and serial ports of the benchmark's own. Create the
// QApplication first.
#include <optional>
#include <string>

#include "app/terminal_parts.h"
#include "bench_support.h"
#include "gui/log_view.h"
#include "gui/main_window.h"
#include "gui/qt_window_system.h"

namespace zel::bench {

class WindowedTerminal {
  public:
    enum class Shown { Window, Nothing };

    explicit WindowedTerminal(const TerminalSetup& setup, Shown shown = Shown::Window);

    CZelTermDlg& Terminal() { return parts_.terminal; }
    TerminalParts& Parts() { return parts_; }
    // Null without a window.
    LogView* Box() { return window_ ? &window_->Log() : nullptr; }

  private:
    // Set before the parts read it, removed after they are gone.
    struct Environment {
        explicit Environment(const TerminalSetup& setup);
        ~Environment();
        std::string settingsPath = TemporarySettingsPath("window");
    };

    Environment environment_;
    QtWindowSystem windows_;
    TerminalParts parts_{windows_};
    std::optional<MainWindow> window_;
};

}  // namespace zel::bench
