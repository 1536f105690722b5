#include "gui/connection_setup_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/connection_radios.h"
#include "gui/dialog_parts.h"
#include "gui/ip_address_edit.h"

namespace zel {

namespace {

constexpr int kPortListCharacters = 26;

QComboBox* MakeList(const char* objectName, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMinimumContentsLength(10);
    return list;
}

QLineEdit* MakeNumberEdit(const char* objectName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    return edit;
}

}  // namespace

ConnectionSetupDialog::ConnectionSetupDialog(CConnectionConfig& config, QWidget* parent)
    : QDialog(parent), config_(config) {
    setWindowTitle(QStringLiteral("Connection Setup"));
    auto* grid = new QGridLayout;
    grid->addWidget(BuildConnectionGroup(), 0, 0);
    grid->addWidget(BuildSerialGroup(), 0, 1);
    grid->addWidget(BuildProtocolGroup(), 1, 0);
    grid->addWidget(BuildEthernetGroup(), 1, 1, 2, 1);
    grid->addWidget(BuildUnitAddressGroup(), 2, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ipAddress_->SetAddress(config_.IpAddress());
    Show();
}

QGroupBox* ConnectionSetupDialog::BuildConnectionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Connection"), this);
    auto* column = new QVBoxLayout(group);
    ConnectionRadios radios = AddConnectionRadios(group, column);
    connectionButtons_ = radios.group;
    connectionRadios_ = radios.buttons;
    connect(connectionButtons_, &QButtonGroup::idClicked, this, [this](int type) {
        config_.OnConnectionClicked(type);
        Show();
    });
    return group;
}

QGroupBox* ConnectionSetupDialog::BuildProtocolGroup() {
    auto* group = new QGroupBox(QStringLiteral("Protocol"), this);
    auto* column = new QVBoxLayout(group);
    protocolList_ = MakeList("protocolList", group);
    column->addWidget(protocolList_);
    connect(protocolList_, &QComboBox::activated, this, [this](int index) {
        config_.OnProtocolSelected(FromQt(protocolList_->itemText(index)));
        Show();
    });
    return group;
}

QGroupBox* ConnectionSetupDialog::BuildUnitAddressGroup() {
    auto* group = new QGroupBox(QStringLiteral("Unit Address"), this);
    auto* form = new QFormLayout(group);
    sendUnitAddress_ = new QCheckBox(QStringLiteral("Send Unit Address"), group);
    sendUnitAddress_->setObjectName(QStringLiteral("sendUnitAddress"));
    unitAddressLabel_ = new QLabel(QStringLiteral("Unit Address (0-127)"), group);
    unitAddress_ = MakeNumberEdit("unitAddress", group);
    form->addRow(sendUnitAddress_);
    form->addRow(unitAddressLabel_, unitAddress_);
    connect(sendUnitAddress_, &QCheckBox::clicked, this, [this](bool checked) {
        config_.OnSendUnitAddressClicked(checked);
        Show();
    });
    connect(unitAddress_, &QLineEdit::textEdited, this,
            [this](const QString& text) { config_.SetUnitAddressText(FromQt(text)); });
    return group;
}

QGroupBox* ConnectionSetupDialog::BuildSerialGroup() {
    serialGroup_ = new QGroupBox(QStringLiteral("Serial Options"), this);
    auto* form = new QFormLayout(serialGroup_);
    portList_ = MakeList("portList", serialGroup_);
    // A device path may be typed, for an adapter the list does not name.
    portList_->setEditable(true);
    portList_->setInsertPolicy(QComboBox::NoInsert);
    // Room for a device path and its state, so the dialog keeps its size as the list changes.
    portList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    portList_->setMinimumContentsLength(kPortListCharacters);
    refreshPorts_ = new QPushButton(QStringLiteral("&Refresh"), serialGroup_);
    refreshPorts_->setObjectName(QStringLiteral("refreshPortsButton"));
    refreshPorts_->setAutoDefault(false);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portList_, 1);
    portRow->addWidget(refreshPorts_);
    baudList_ = MakeList("baudList", serialGroup_);
    form->addRow(QStringLiteral("COM Port"), portRow);
    form->addRow(QStringLiteral("Baud Rate"), baudList_);
    connect(portList_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        config_.OnPortSelected(FromQt(text));
        ShowConnectionChoices();
    });
    connect(refreshPorts_, &QPushButton::clicked, this, [this] {
        config_.RefreshPorts();
        Show();
    });
    connect(baudList_, &QComboBox::activated, this,
            [this](int index) { config_.OnBaudRateSelected(FromQt(baudList_->itemText(index))); });
    return serialGroup_;
}

QGroupBox* ConnectionSetupDialog::BuildEthernetGroup() {
    ethernetGroup_ = new QGroupBox(QStringLiteral("Ethernet Options"), this);
    auto* form = new QFormLayout(ethernetGroup_);
    ipAddress_ = new IpAddressEdit(ethernetGroup_);
    ipAddress_->setObjectName(QStringLiteral("ipAddress"));
    localPort_ = MakeNumberEdit("localPort", ethernetGroup_);
    productPort_ = MakeNumberEdit("productPort", ethernetGroup_);
    form->addRow(QStringLiteral("Product IP Address"), ipAddress_);
    form->addRow(QStringLiteral("Local Port"), localPort_);
    form->addRow(QStringLiteral("Product Port"), productPort_);
    ipAddress_->onChanged = [this](uint32_t address) { config_.OnIpAddressChanged(address); };
    connect(localPort_, &QLineEdit::textEdited, this, [this](const QString& text) {
        config_.SetLocalPortText(FromQt(text));
        Show();
    });
    connect(productPort_, &QLineEdit::textEdited, this,
            [this](const QString& text) { config_.SetProductPortText(FromQt(text)); });
    return ethernetGroup_;
}

void ConnectionSetupDialog::ShowConnectionChoices() {
    const ConnectionEnabling& enabling = config_.Enabling();
    const std::array<bool, 3> choiceEnabled{enabling.serial, enabling.ethernet, enabling.usb};
    for (size_t type = 0; type < connectionRadios_.size(); ++type) {
        QSignalBlocker blocker(connectionRadios_[type]);
        connectionRadios_[type]->setChecked(static_cast<int>(type) == config_.ConnectionType());
        connectionRadios_[type]->setEnabled(choiceEnabled[type]);
    }
    baudList_->setEnabled(enabling.serial && enabling.baudList);
    SetRowEnabled(ipAddress_, enabling.ethernet);
    SetRowEnabled(productPort_, enabling.ethernet);
}

void ConnectionSetupDialog::Show() {
    const ConnectionEnabling& enabling = config_.Enabling();
    ShowConnectionChoices();
    ShowChoices(protocolList_, config_.Protocols());
    protocolList_->setEnabled(enabling.protocolList);

    // The port list stays usable without a free port, so a new device can be found or typed.
    ShowChoices(portList_, config_.Ports());
    if (config_.Ports().selected < 0) {
        QSignalBlocker blocker(portList_);
        portList_->setEditText(ToQt(config_.Values().serialPort));
    }
    SetRowEnabled(portList_, enabling.portList);
    refreshPorts_->setEnabled(enabling.portList);
    ShowChoices(baudList_, config_.BaudRates());

    SetRowEnabled(localPort_, enabling.localPort);
    ShowText(localPort_, config_.LocalPortText());
    ShowText(productPort_, config_.ProductPortText());

    {
        QSignalBlocker blocker(sendUnitAddress_);
        sendUnitAddress_->setChecked(config_.SendUnitAddress());
    }
    sendUnitAddress_->setEnabled(enabling.sendUnitAddress);
    unitAddressLabel_->setEnabled(enabling.unitAddress);
    unitAddress_->setEnabled(enabling.unitAddress);
    ShowText(unitAddress_, config_.UnitAddressText());
}

void ConnectionSetupDialog::accept() {
    if (config_.OnOk()) {
        QDialog::accept();
        return;
    }
    if (QLineEdit* refused = EditOf(config_.RefusedEdit())) {
        refused->setFocus();
        refused->selectAll();
    }
}

void ConnectionSetupDialog::SetRowEnabled(QWidget* field, bool enabled) {
    field->setEnabled(enabled);
    auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout());
    if (QWidget* label = form ? form->labelForField(field) : nullptr) label->setEnabled(enabled);
}

QLineEdit* ConnectionSetupDialog::EditOf(ConnectionEdit edit) const {
    switch (edit) {
        case ConnectionEdit::UnitAddress:
            return unitAddress_;
        case ConnectionEdit::LocalPort:
            return localPort_;
        case ConnectionEdit::ProductPort:
            return productPort_;
        case ConnectionEdit::None:
            break;
    }
    return nullptr;
}

}  // namespace zel
