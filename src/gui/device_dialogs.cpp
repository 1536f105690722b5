#include "gui/device_dialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QVBoxLayout>

#include "products/catalog.h"

namespace zel {

namespace {

constexpr int kHighestPort = 65535;
constexpr int kHighestUnitAddress = 127;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QSpinBox* PortBox(uint32_t port, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(1, kHighestPort);
    box->setValue(static_cast<int>(port));
    return box;
}

// The form of one device; the protocol list follows the product and the connection.
class DeviceForm : public QDialog {
  public:
    DeviceForm(QWidget* parent, CZelTermDlg& terminal, const Device& device)
        : QDialog(parent), terminal_(terminal) {
        setWindowTitle(QStringLiteral("Device"));
        name_ = new QLineEdit(Text(device.name), this);
        name_->setObjectName(QStringLiteral("deviceName"));
        product_ = new QComboBox(this);
        product_->setObjectName(QStringLiteral("deviceProduct"));
        for (const std::string& name : terminal.ProductNames()) product_->addItem(Text(name));
        product_->setCurrentText(Text(device.product));
        connection_ = new QComboBox(this);
        connection_->setObjectName(QStringLiteral("deviceConnection"));
        for (int type = kSerial; type <= kUsb; ++type) {
            connection_->addItem(QString::fromLatin1(DeviceConnectionName(type)));
        }
        connection_->setCurrentIndex(device.connection);
        address_ = new QLineEdit(Text(device.address), this);
        address_->setObjectName(QStringLiteral("deviceAddress"));
        localPort_ = PortBox(device.localPort, this);
        productPort_ = PortBox(device.productPort, this);
        protocol_ = new QComboBox(this);
        protocol_->setObjectName(QStringLiteral("deviceProtocol"));
        unitAddress_ = new QSpinBox(this);
        unitAddress_->setRange(-1, kHighestUnitAddress);
        unitAddress_->setSpecialValueText(QStringLiteral("off"));
        unitAddress_->setValue(device.unitAddress.value_or(-1));

        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("&Name"), name_);
        form->addRow(QStringLiteral("&Product"), product_);
        form->addRow(QStringLiteral("&Connection"), connection_);
        form->addRow(QStringLiteral("&Address (port or IP)"), address_);
        form->addRow(QStringLiteral("&Local UDP port"), localPort_);
        form->addRow(QStringLiteral("P&roduct UDP port"), productPort_);
        form->addRow(QStringLiteral("Pro&tocol"), protocol_);
        form->addRow(QStringLiteral("&Unit address"), unitAddress_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* column = new QVBoxLayout(this);
        column->addLayout(form);
        column->addWidget(buttons);

        FillProtocols(device.protocol);
        auto refill = [this] { FillProtocols(protocol_->currentText().toStdString()); };
        connect(product_, &QComboBox::currentIndexChanged, this, refill);
        connect(connection_, &QComboBox::currentIndexChanged, this, refill);
    }

    Device Values() const {
        Device device;
        device.name = name_->text().trimmed().toStdString();
        device.product = product_->currentText().toStdString();
        device.connection = connection_->currentIndex();
        device.address = address_->text().trimmed().toStdString();
        device.localPort = static_cast<uint32_t>(localPort_->value());
        device.productPort = static_cast<uint32_t>(productPort_->value());
        device.protocol =
            protocol_->currentIndex() <= 0 ? "" : protocol_->currentText().toStdString();
        if (unitAddress_->value() >= 0) device.unitAddress = unitAddress_->value();
        return device;
    }

  private:
    // The first entry, empty, stands for the product's default protocol.
    void FillProtocols(const std::string& keep) {
        protocol_->clear();
        protocol_->addItem(QString());
        ProductInfo* product =
            FindProduct(terminal_.Catalog(), product_->currentText().toStdString());
        if (!product) return;
        for (const ProtocolInfo& protocol : product->Protocols(connection_->currentIndex())) {
            protocol_->addItem(Text(protocol.GetName()));
        }
        protocol_->setCurrentIndex(std::max(0, protocol_->findText(Text(keep))));
        const bool ethernet = connection_->currentIndex() == kEthernet;
        localPort_->setEnabled(ethernet);
        productPort_->setEnabled(ethernet);
        address_->setEnabled(connection_->currentIndex() != kUsb);
    }

    CZelTermDlg& terminal_;
    QLineEdit* name_;
    QComboBox* product_;
    QComboBox* connection_;
    QLineEdit* address_;
    QSpinBox* localPort_;
    QSpinBox* productPort_;
    QComboBox* protocol_;
    QSpinBox* unitAddress_;
};

QString Entry(const Device& device) {
    return Text(device.name + "  -  " + DeviceSummary(device));
}

void Warn(QWidget* parent, const std::string& problem) {
    QMessageBox::warning(parent, QStringLiteral("Devices"), Text(problem));
}

void ImportSheet(QWidget* parent, DeviceList& devices) {
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("Import Devices"), {},
                                                      QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Warn(parent, "Cannot read " + path.toStdString());
    DeviceImport imported = devices.Import(file.readAll().toStdString());
    if (!imported.errors.empty()) {
        std::string text = "Nothing was imported:";
        for (const std::string& error : imported.errors) text += "\n" + error;
        return Warn(parent, text);
    }
    QMessageBox::information(parent, QStringLiteral("Devices"),
                             QStringLiteral("%1 devices added, %2 replaced.")
                                 .arg(imported.added)
                                 .arg(imported.replaced));
}

void ExportSheet(QWidget* parent, const DeviceList& devices) {
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export Devices"),
                                                      QStringLiteral("devices.csv"),
                                                      QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) return;
    QSaveFile file(path);
    const QByteArray sheet = QByteArray::fromStdString(devices.Export());
    if (!file.open(QIODevice::WriteOnly) || file.write(sheet) != sheet.size() || !file.commit()) {
        Warn(parent, "Cannot write " + path.toStdString());
    }
}

}  // namespace

bool EditDevice(QWidget* parent, CZelTermDlg& terminal, Device device,
                const std::function<std::string(const Device&)>& keep) {
    DeviceForm form(parent, terminal, device);
    while (form.exec() == QDialog::Accepted) {
        const std::string problem = keep(form.Values());
        if (problem.empty()) return true;
        Warn(&form, problem);
    }
    return false;
}

void ManageDevices(QWidget* parent, CZelTermDlg& terminal, DeviceList& devices) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Devices"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("deviceEntries"));
    list->setMinimumWidth(420);
    auto fill = [&] {
        const int row = list->currentRow();
        list->clear();
        for (const Device& device : devices.Devices()) list->addItem(Entry(device));
        list->setCurrentRow(std::min(row, list->count() - 1));
    };
    auto selected = [&]() -> const Device* {
        const int row = list->currentRow();
        if (row < 0 || row >= static_cast<int>(devices.Devices().size())) return nullptr;
        return &devices.Devices()[static_cast<size_t>(row)];
    };
    struct Action {
        const char* caption;
        const char* objectName;
        std::function<void()> run;
    };
    const std::vector<Action> actions = {
        {"&Edit...", "editDeviceButton",
         [&] {
             if (const Device* device = selected()) {
                 const std::string name = device->name;
                 EditDevice(&dialog, terminal, *device,
                            [&](const Device& edited) { return devices.Store(edited, name); });
             }
         }},
        {"&Rename...", "renameDeviceButton",
         [&] {
             const Device* device = selected();
             if (!device) return;
             bool ok = false;
             const QString name = QInputDialog::getText(&dialog, QStringLiteral("Rename Device"),
                                                        QStringLiteral("New name:"),
                                                        QLineEdit::Normal, Text(device->name), &ok);
             if (!ok) return;
             Device renamed = *device;
             renamed.name = name.trimmed().toStdString();
             const std::string old = device->name;
             if (std::string problem = devices.Store(renamed, old); !problem.empty()) {
                 Warn(&dialog, problem);
             }
         }},
        {"Re&move", "removeDeviceButton",
         [&] {
             if (const Device* device = selected()) {
                 const std::string name = device->name;
                 if (std::string problem = devices.Remove(name); !problem.empty()) {
                     Warn(&dialog, problem);
                 }
             }
         }},
        {"&Import CSV...", "importDevicesButton", [&] { ImportSheet(&dialog, devices); }},
        {"E&xport CSV...", "exportDevicesButton", [&] { ExportSheet(&dialog, devices); }},
    };
    auto* buttons = new QVBoxLayout;
    for (const Action& action : actions) {
        auto* button = new QPushButton(QString::fromLatin1(action.caption), &dialog);
        button->setObjectName(QString::fromLatin1(action.objectName));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&action, &fill] {
            action.run();
            fill();
        });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(list, 1);
    row->addLayout(buttons);
    auto* column = new QVBoxLayout(&dialog);
    column->addLayout(row);
    column->addWidget(close);
    fill();
    list->setCurrentRow(0);
    dialog.exec();
}

}  // namespace zel
