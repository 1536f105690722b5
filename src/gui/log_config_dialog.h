#pragma once
// The Log Configuration dialog: the log mode, the details of each log entry and the file the
// log is also written to.
#include <QDialog>

class QGroupBox;

#include "terminal/log_config.h"

namespace zel {

class LogConfigDialog : public QDialog {
  public:
    explicit LogConfigDialog(CLogConfigDlg& logic, QWidget* parent = nullptr);

  private:
    QGroupBox* BuildFileGroup(CLogConfigDlg& logic);
};

}  // namespace zel
