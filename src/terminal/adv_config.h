#pragma once
// The Advanced Configuration dialog's logic: resending the last command every period.
#include <string>

#include "terminal/window_system.h"
#include "terminal/zelterm_dlg.h"

namespace zel {

class CAdvConfigDlg {
  public:
    CAdvConfigDlg(const RepeatSettings& settings, IWindowSystem& window);

    void OnRepeatClicked(bool checked) { settings_.repeat = checked; }
    void SetPeriodText(std::string text) { periodText_ = std::move(text); }

    // The period edit and its labels "Repeat Period" and "ms".
    bool PeriodEnabled() const { return settings_.repeat; }
    bool Repeat() const { return settings_.repeat; }
    const std::string& PeriodText() const { return periodText_; }

    // Takes the period; a refused one is reported in a message box and the dialog stays open.
    bool OnOk();

    const RepeatSettings& Settings() const { return settings_; }

  private:
    RepeatSettings settings_;
    std::string periodText_;
    IWindowSystem& window_;
};

}  // namespace zel
