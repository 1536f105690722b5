#include "gui/device_selector.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "gui/device_dialogs.h"
#include "terminal/device_choice.h"

namespace zel {

namespace {

QPushButton* Button(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

// Whether the terminal still talks to the device as it was chosen.
bool Matches(const Device& device, const Device& current) {
    return device.product == current.product && device.connection == current.connection &&
           device.address == current.address &&
           (device.connection != kEthernet ||
            (device.localPort == current.localPort && device.productPort == current.productPort));
}

}  // namespace

DeviceSelector::DeviceSelector(CZelTermDlg& terminal, const QString& path, QWidget* parent)
    : QWidget(parent), terminal_(terminal), file_(path), devices_(file_, terminal.Catalog()) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Device"), this);
    list_ = new QComboBox(this);
    label->setBuddy(list_);
    list_->setObjectName(QStringLiteral("deviceList"));
    list_->setMaxVisibleItems(20);
    list_->setToolTip(QStringLiteral("Sets the product and its connection in one step"));
    auto* save =
        Button(QStringLiteral("Save as Device..."), QStringLiteral("saveDeviceButton"), this);
    auto* manage =
        Button(QStringLiteral("Devices..."), QStringLiteral("manageDevicesButton"), this);
    row->addWidget(label);
    row->addWidget(list_, 1);
    row->addWidget(save);
    row->addWidget(manage);
    connect(list_, &QComboBox::activated, this, &DeviceSelector::OnChosen);
    connect(save, &QPushButton::clicked, this, &DeviceSelector::SaveAsDevice);
    connect(manage, &QPushButton::clicked, this, &DeviceSelector::Manage);
    Fill();
}

void DeviceSelector::Load() {
    loaded_ = true;
    Told(devices_.Load());
    Fill();
}

void DeviceSelector::Fill() {
    QSignalBlocker blocker(list_);
    list_->clear();
    list_->addItem(devices_.Devices().empty() ? QStringLiteral("(no devices stored)")
                                              : QStringLiteral("(no device)"));
    for (const Device& device : devices_.Devices()) {
        list_->addItem(QString::fromStdString(device.name));
        list_->setItemData(list_->count() - 1, QString::fromStdString(DeviceSummary(device)),
                           Qt::ToolTipRole);
    }
    const Device* inUse = devices_.Find(inUse_);
    list_->setCurrentIndex(inUse ? static_cast<int>(inUse - devices_.Devices().data()) + 1 : 0);
}

void DeviceSelector::Follow() {
    // The list is checked against the products, which the terminal's start-up builds.
    if (!loaded_ && !terminal_.Catalog().empty()) Load();
    if (choosing_) return;
    const Device* inUse = devices_.Find(inUse_);
    if (!inUse_.empty() && (!inUse || !Matches(*inUse, CurrentDevice(terminal_, inUse_)))) {
        inUse_.clear();
        Fill();
    }
}

void DeviceSelector::OnChosen(int index) {
    if (index <= 0 || index > static_cast<int>(devices_.Devices().size())) return;
    const Device device = devices_.Devices()[static_cast<size_t>(index - 1)];
    choosing_ = true;
    const std::string problem = ChooseDevice(terminal_, device);
    choosing_ = false;
    inUse_ = problem.empty() ? device.name : "";
    Told(problem);
    Fill();
}

void DeviceSelector::SaveAsDevice() {
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Save as Device"),
                                               QStringLiteral("Device name:"), QLineEdit::Normal,
                                               QString::fromStdString(inUse_), &ok)
                             .trimmed();
    if (!ok || name.isEmpty()) return;
    const Device device = CurrentDevice(terminal_, name.toStdString());
    std::string replacing;
    if (devices_.Find(device.name)) {
        if (QMessageBox::question(
                this, QStringLiteral("Save as Device"),
                QStringLiteral("A device named \"%1\" exists. Replace it?").arg(name)) !=
            QMessageBox::Yes) {
            return;
        }
        replacing = device.name;
    }
    if (Told(devices_.Store(device, replacing))) inUse_ = device.name;
    Fill();
}

void DeviceSelector::Manage() {
    ManageDevices(this, terminal_, devices_);
    Follow();
    Fill();
}

bool DeviceSelector::Told(const std::string& problem) {
    if (problem.empty()) return true;
    terminal_.Window().MessageBox(problem, "Devices", MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

}  // namespace zel
