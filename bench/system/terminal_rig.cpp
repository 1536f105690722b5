#include "terminal_rig.h"

#include <stdlib.h>

#include <filesystem>

namespace zel::bench {

WindowedTerminal::Environment::Environment(const TerminalSetup& setup) {
    WriteSettings(settingsPath, setup);
    setenv("ZELTERM_SETTINGS", settingsPath.c_str(), 1);
    const std::string ports =
        setup.serialPort.empty() ? "/nonexistent/zelterm-bench-port" : setup.serialPort;
    setenv("ZELTERM_SERIAL_PORTS", ports.c_str(), 1);
}

WindowedTerminal::Environment::~Environment() {
    std::filesystem::remove(settingsPath);
}

WindowedTerminal::WindowedTerminal(const TerminalSetup& setup, Shown shown) : environment_(setup) {
    if (shown == Shown::Window) {
        window_.emplace(parts_.terminal);
        windows_.SetParentWindow(&*window_);
    }
    parts_.terminal.OnInitDialog({});
    if (window_) window_->show();
}

}  // namespace zel::bench
