#pragma once
// The Log Configuration dialog: the log mode and the two details of each log entry.
#include <QDialog>

#include "terminal/log_config.h"

namespace zel {

class LogConfigDialog : public QDialog {
  public:
    explicit LogConfigDialog(CLogConfigDlg& logic, QWidget* parent = nullptr);
};

}  // namespace zel
