#pragma once
// The update dialog: check now, and choose whether the terminal checks at every start.
#include <QDialog>

#include "terminal/update_dlg.h"

namespace zel {

class UpdateDialog : public QDialog {
  public:
    explicit UpdateDialog(UpdateDlg& logic, QWidget* parent = nullptr);
};

}  // namespace zel
