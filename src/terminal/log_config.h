#pragma once
// The Log Configuration dialog's logic: a copy of the log settings, handed back on OK.
#include "terminal/comm_log.h"

namespace zel {

class CLogConfigDlg {
  public:
    explicit CLogConfigDlg(const LogSettings& settings) : settings_(settings) {}

    void OnModeClicked(LogMode mode) { settings_.mode = mode; }
    void OnShowDetailsClicked(bool checked) { settings_.showDetails = checked; }
    void OnShowTimeStampClicked(bool checked) { settings_.showTimeStamp = checked; }

    const LogSettings& Settings() const { return settings_; }

  private:
    LogSettings settings_;
};

}  // namespace zel
