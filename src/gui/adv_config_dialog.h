#pragma once
// The Advanced Configuration dialog: resending the last command every period.
#include <QDialog>

#include "terminal/adv_config.h"

class QLabel;
class QLineEdit;

namespace zel {

class AdvConfigDialog : public QDialog {
  public:
    explicit AdvConfigDialog(CAdvConfigDlg& logic, QWidget* parent = nullptr);

    void accept() override;

  private:
    void Enable();

    CAdvConfigDlg& logic_;
    QLabel* periodLabel_ = nullptr;
    QLineEdit* period_ = nullptr;
    QLabel* unitLabel_ = nullptr;
};

}  // namespace zel
