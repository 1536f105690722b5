#pragma once
// The update dialog's logic: the "Check for updates on startup" choice, handed back on OK, and
// the check itself, run while the dialog stays open.
#include <cstdint>

#include "services/window_system.h"
#include "terminal/update_launcher.h"

namespace zel {

class UpdateDlg {
  public:
    UpdateDlg(uint32_t checkOnStartup, IUpdateLauncher& launcher, IWindowSystem& window)
        : checkOnStartup_(checkOnStartup == 1), launcher_(launcher), window_(window) {}

    void OnCheckForUpdates();
    void OnCheckOnStartupClicked(bool checked) { checkOnStartup_ = checked; }

    bool CheckOnStartup() const { return checkOnStartup_; }
    // The setting's value for the choice.
    uint32_t CheckOnStartupValue() const { return checkOnStartup_ ? 1 : 0; }

  private:
    bool checkOnStartup_;
    IUpdateLauncher& launcher_;
    IWindowSystem& window_;
};

}  // namespace zel
