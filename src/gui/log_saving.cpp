#include "gui/log_saving.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>

#include "gui/log_display.h"
#include "gui/program_identity.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

QString ConnectionText(const ConnectionProfile& profile) {
    switch (profile.connectionType) {
        case kSerial:
            return QStringLiteral("Serial %1 %2")
                .arg(QString::fromStdString(profile.serialPort),
                     QString::fromStdString(profile.baudRate));
        case kEthernet:
            return QStringLiteral("Ethernet %1:%2")
                .arg(QString::fromStdString(profile.productIpAddress))
                .arg(profile.productUdpPort);
        default:
            return QStringLiteral("USB");
    }
}

}  // namespace

QString LogHeading(CZelTermDlg& terminal, const QDateTime& when) {
    const ProductInfo* product = terminal.CurrentProduct();
    const ConnectionProfile& profile = terminal.Profile();
    return QStringLiteral("%1, %2, %3 (%4), %5")
        .arg(QString::fromLatin1(kProgramVersionText),
             product ? QString::fromStdString(product->Name()) : QString(), ConnectionText(profile),
             QString::fromStdString(profile.protocolName),
             when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString WriteLogFile(const QString& path, const QString& heading, std::string_view logBytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    const QByteArray text = (heading + QLatin1Char('\n') + DisplayLogText(logBytes)).toUtf8();
    if (file.write(text) != text.size() || !file.commit()) return file.errorString();
    return {};
}

void SaveLogAs(QWidget* parent, CZelTermDlg& terminal) {
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save Log As"), QStringLiteral("zelterm-log.txt"),
        QStringLiteral("Text files (*.txt);;All files (*)"));
    if (path.isEmpty()) return;
    const QString failure = WriteLogFile(path, LogHeading(terminal, QDateTime::currentDateTime()),
                                         terminal.Log().Text());
    if (failure.isEmpty()) return;
    QMessageBox::warning(parent, QStringLiteral("Save Log As"),
                         QStringLiteral("The log could not be saved to %1: %2").arg(path, failure));
}

}  // namespace zel
