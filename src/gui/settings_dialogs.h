#pragma once
// The modal dialogs the main window opens from its buttons and menu. Each works on copies of
// the terminal's values and hands them back only on OK.
class QWidget;

namespace zel {

class CZelTermDlg;

void OpenConnectionSetup(QWidget* parent, CZelTermDlg& terminal);
void OpenLogConfiguration(QWidget* parent, CZelTermDlg& terminal);
void OpenAdvancedConfiguration(QWidget* parent, CZelTermDlg& terminal);
void OpenUpdateDialog(QWidget* parent, CZelTermDlg& terminal);

}  // namespace zel
