#include "gui/settings_dialogs.h"

#include "gui/adv_config_dialog.h"
#include "gui/connection_setup_dialog.h"
#include "gui/log_config_dialog.h"
#include "gui/update_dialog.h"
#include "terminal/zelterm_dlg.h"

namespace zel {

void OpenConnectionSetup(QWidget* parent, CZelTermDlg& terminal) {
    ProductInfo* product = terminal.CurrentProduct();
    if (!product) return;
    terminal.PrepareConnectionSetup();
    CConnectionConfig config(*product, terminal.Profile(), terminal.Serial(), terminal.Window());
    if (!terminal.Profile().ethernetAvailable) {
        config.SetLocalPortProbe(
            [&terminal](uint32_t port) { return terminal.LocalPortFree(port); });
    }
    config.OnInitDialog();
    ConnectionSetupDialog dialog(config, parent);
    if (dialog.exec() == QDialog::Accepted) terminal.ApplyConnectionSetup(config.Values());
}

void OpenLogConfiguration(QWidget* parent, CZelTermDlg& terminal) {
    CLogConfigDlg logic(terminal.Log().Settings());
    LogConfigDialog dialog(logic, parent);
    if (dialog.exec() == QDialog::Accepted) terminal.ApplyLogSettings(logic.Settings());
}

void OpenAdvancedConfiguration(QWidget* parent, CZelTermDlg& terminal) {
    CAdvConfigDlg logic(terminal.Repeat(), terminal.Window());
    logic.SetNoReplyMs(terminal.NoReplyMs());
    AdvConfigDialog dialog(logic, parent);
    if (dialog.exec() == QDialog::Accepted) {
        terminal.ApplyNoReplyMs(logic.NoReplyMs());
        terminal.ApplyRepeatSettings(logic.Settings());
    }
}

void OpenUpdateDialog(QWidget* parent, CZelTermDlg& terminal) {
    UpdateDlg logic(terminal.CheckUpdateOnLaunchValue(), terminal.Updates(), terminal.Window());
    UpdateDialog dialog(logic, parent);
    if (dialog.exec() == QDialog::Accepted) {
        terminal.ApplyCheckUpdateOnLaunch(logic.CheckOnStartupValue());
    }
}

}  // namespace zel
