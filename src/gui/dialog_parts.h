#pragma once
// Pieces the settings dialogs share: the OK/Cancel row and showing logic state in controls
// without raising the controls' own change signals.
#include <QString>
#include <string>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLineEdit;

namespace zel {

struct ChoiceList;

// OK and Cancel at the bottom right; OK goes to the dialog's accept(), Cancel to reject().
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

// Shows the entries and the selection; the list is rebuilt only when its entries changed.
void ShowChoices(QComboBox* list, const ChoiceList& choices);

// Replaces the text only when it differs, so the cursor of an edit being typed in stays.
void ShowText(QLineEdit* edit, const std::string& text);

// The byte texts of the logic and the controls' texts.
inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

}  // namespace zel
