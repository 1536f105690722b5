#pragma once
// The Log Configuration dialog's logic: a copy of the log settings, handed back on OK.
#include <string>

#include "services/comm_log.h"

namespace zel {

class CLogConfigDlg {
  public:
    explicit CLogConfigDlg(const LogSettings& settings) : settings_(settings) {}

    void OnModeClicked(LogMode mode) { settings_.mode = mode; }
    void OnShowDetailsClicked(bool checked) { settings_.showDetails = checked; }
    void OnShowTimeStampClicked(bool checked) { settings_.showTimeStamp = checked; }
    void OnMillisecondsClicked(bool checked) { settings_.stampMilliseconds = checked; }
    void OnDateClicked(bool checked) { settings_.stampDate = checked; }
    void OnWriteToFileClicked(bool checked) { settings_.file.enabled = checked; }
    void OnFilePathEdited(std::string path) { settings_.file.path = std::move(path); }
    void OnRotateKiBChanged(uint32_t kib) { settings_.file.rotateKiB = kib; }

    // The stamp's parts while stamps are shown; the file's fields while the file is written.
    bool StampPartsEnabled() const { return settings_.showTimeStamp; }
    bool FileFieldsEnabled() const { return settings_.file.enabled; }

    const LogSettings& Settings() const { return settings_; }

  private:
    LogSettings settings_;
};

}  // namespace zel
