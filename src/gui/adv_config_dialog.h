#pragma once
// The Advanced Configuration dialog: resending the last command every period, optionally a
// given number of times; and how long a command may go unanswered before the status says so.
#include <QDialog>
#include <vector>

#include "terminal/adv_config.h"

class QLineEdit;

namespace zel {

class AdvConfigDialog : public QDialog {
  public:
    explicit AdvConfigDialog(CAdvConfigDlg& logic, QWidget* parent = nullptr);

    void accept() override;

  private:
    void Enable();

    CAdvConfigDlg& logic_;
    QLineEdit* period_ = nullptr;
    QLineEdit* stopAfter_ = nullptr;
    QLineEdit* noReply_ = nullptr;
    // The edits with their labels, usable only while the box is ticked.
    std::vector<QWidget*> repeatFields_;
};

}  // namespace zel
