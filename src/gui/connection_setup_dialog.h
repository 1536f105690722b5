#pragma once
// The Connection Setup dialog: shows CConnectionConfig's state and hands it every change.
#include <QDialog>
#include <array>

#include "terminal/connection_config.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zel {

class IpAddressEdit;

class ConnectionSetupDialog : public QDialog {
  public:
    // The logic has had its OnInitDialog.
    explicit ConnectionSetupDialog(CConnectionConfig& config, QWidget* parent = nullptr);

    void accept() override;

  private:
    QGroupBox* BuildConnectionGroup();
    QGroupBox* BuildProtocolGroup();
    QGroupBox* BuildUnitAddressGroup();
    QGroupBox* BuildSerialGroup();
    QGroupBox* BuildEthernetGroup();
    void Show();
    // The radios and the fields that follow them; safe while the port is being typed.
    void ShowConnectionChoices();
    // The field and its label in the group's form.
    static void SetRowEnabled(QWidget* field, bool enabled);
    QLineEdit* EditOf(ConnectionEdit edit) const;

    CConnectionConfig& config_;
    QButtonGroup* connectionButtons_ = nullptr;
    std::array<QRadioButton*, 3> connectionRadios_{};
    QComboBox* protocolList_ = nullptr;
    QCheckBox* sendUnitAddress_ = nullptr;
    QLabel* unitAddressLabel_ = nullptr;
    QLineEdit* unitAddress_ = nullptr;
    QGroupBox* serialGroup_ = nullptr;
    QComboBox* portList_ = nullptr;
    QPushButton* refreshPorts_ = nullptr;
    QComboBox* baudList_ = nullptr;
    QGroupBox* ethernetGroup_ = nullptr;
    IpAddressEdit* ipAddress_ = nullptr;
    QLineEdit* localPort_ = nullptr;
    QLineEdit* productPort_ = nullptr;
};

}  // namespace zel
