#include "gui/qt_device_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "gui/qt_settings_store.h"

namespace zel {

QString QtDeviceFile::BesideSettings(const QString& settingsPath) {
    const QFileInfo settings(settingsPath);
    return settings.absolutePath() + QStringLiteral("/") + settings.completeBaseName() +
           QStringLiteral("-devices.csv");
}

QString QtDeviceFile::OfThisUser() {
#ifdef _WIN32
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvane/ZelTerm-devices.csv");
#else
    return BesideSettings(QtSettingsStore().Path());
#endif
}

std::optional<std::string> QtDeviceFile::Read(std::string& error) {
    QFile file(path_);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

// QSaveFile writes a file beside it, flushes it to the disk and renames it over the old one.
bool QtDeviceFile::Write(const std::string& text) {
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return false;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

std::string QtDeviceFile::SetAside() {
    const QString aside = path_ + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::rename(path_, aside)) return {};
    return aside.toStdString();
}

}  // namespace zel
