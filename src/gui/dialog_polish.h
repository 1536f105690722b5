#pragma once
// What every dialog gets when it is first shown: each caption the operator reaches by name gets
// a mnemonic, Enter presses the dialog's OK, and the dialog is wide enough for its whole title.
#include <QObject>

class QWidget;

namespace zel {

// Gives a mnemonic to each button, check box, radio button and buddied label of `dialog` that
// has none: the first letter, at a word's start where it can be, no other of them already uses.
void AssignMnemonics(QWidget* dialog);

// Watches the application's dialogs as they are first shown; a dialog without a default button
// gets its accepting button as the default.
class DialogPolish : public QObject {
  public:
    explicit DialogPolish(QObject* parent = nullptr) : QObject(parent) {}
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zel
