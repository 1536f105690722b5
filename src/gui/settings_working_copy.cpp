#include "gui/settings_working_copy.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

namespace zel {

namespace {

// Beside the file, so that taking its place is one rename within the file system.
QString CopyTemplate(const QString& path) {
    return path + QStringLiteral(".XXXXXX");
}

// Whole or not at all: a short write shows in the size, not as an error.
bool WriteWhole(QFileDevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size();
}

// Lines of the file that are not settings (a damaged file's) need not survive a rewrite.
QStringList KeysIn(const QSettings& settings, const QStringList& groups) {
    QStringList keys;
    for (const QString& key : settings.allKeys()) {
        if (groups.contains(key.section(QLatin1Char('/'), 0, 0))) keys.push_back(key);
    }
    return keys;
}

bool SameSettings(const QSettings& a, const QSettings& b, const QStringList& groups) {
    QStringList keys = KeysIn(a, groups);
    if (keys.size() != KeysIn(b, groups).size()) return false;
    return std::ranges::all_of(
        keys, [&](const QString& key) { return b.contains(key) && a.value(key) == b.value(key); });
}

}  // namespace

SettingsWorkingCopy::SettingsWorkingCopy(const QString& path)
    : path_(path), copy_(CopyTemplate(path)) {}

std::unique_ptr<SettingsWorkingCopy> SettingsWorkingCopy::Make(const QString& path) {
    QByteArray held;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) return nullptr;
        held = file.readAll();
        if (file.error() != QFileDevice::NoError) return nullptr;
    }
    std::unique_ptr<SettingsWorkingCopy> working(new SettingsWorkingCopy(path));
    if (!working->copy_.open() || !WriteWhole(working->copy_, held)) return nullptr;
    working->copy_.close();
    return working;
}

bool SettingsWorkingCopy::ReplaceFile(const QSettings& written, const QStringList& groups) {
    QFile copy(Path());
    if (!copy.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = copy.readAll();
    copy.close();
    // Read back through a name never used before, which no settings object has cached.
    QTemporaryFile check(CopyTemplate(path_));
    if (!check.open() || !WriteWhole(check, bytes)) return false;
    check.close();
    QSettings readBack(check.fileName(), QSettings::IniFormat);
    if (readBack.status() != QSettings::NoError || !SameSettings(written, readBack, groups))
        return false;

    if (QFileInfo::exists(path_)) copy.setPermissions(QFile(path_).permissions());
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(Path()).toStdString(),
                            QFile::encodeName(path_).toStdString(), failed);
    return !failed;
}

}  // namespace zel
