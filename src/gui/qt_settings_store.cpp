#include "gui/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace zel {

namespace {

// Values are kept with their type, texts as their exact bytes, so a reader gets back the stored
// size; a number reads back as its 4 little-endian bytes.
const QString kTextPrefix = QStringLiteral("text/");
const QString kNumberPrefix = QStringLiteral("number/");

class QtSettingsKey : public ISettingsKey {
  public:
    QtSettingsKey(const QString& path, bool writable)
        : settings_(path, QSettings::IniFormat), writable_(writable) {}
    ~QtSettingsKey() override {
        if (writable_) settings_.sync();  // written through a temporary file, then renamed
    }

    bool Usable() {
        return settings_.status() == QSettings::NoError && (!writable_ || settings_.isWritable());
    }

    std::optional<std::string> ReadValue(const std::string& name) override {
        const QString key = QString::fromStdString(name);
        if (settings_.contains(kTextPrefix + key)) {
            return settings_.value(kTextPrefix + key).toByteArray().toStdString();
        }
        if (settings_.contains(kNumberPrefix + key)) {
            bool ok = false;
            uint32_t value = settings_.value(kNumberPrefix + key).toUInt(&ok);
            if (!ok) return std::nullopt;
            std::string bytes(4, '\0');
            for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
            return bytes;
        }
        return std::nullopt;
    }

    bool WriteText(const std::string& name, const std::string& text) override {
        const QString key = QString::fromStdString(name);
        settings_.remove(kNumberPrefix + key);
        settings_.setValue(kTextPrefix + key, QByteArray::fromStdString(text));
        return Written();
    }

    bool WriteNumber(const std::string& name, uint32_t value) override {
        const QString key = QString::fromStdString(name);
        settings_.remove(kTextPrefix + key);
        settings_.setValue(kNumberPrefix + key, value);
        return Written();
    }

    bool DeleteValue(const std::string& name) override {
        const QString key = QString::fromStdString(name);
        bool existed =
            settings_.contains(kTextPrefix + key) || settings_.contains(kNumberPrefix + key);
        settings_.remove(kTextPrefix + key);
        settings_.remove(kNumberPrefix + key);
        return existed && Written();
    }

  private:
    bool Written() { return writable_ && settings_.status() == QSettings::NoError; }

    QSettings settings_;
    bool writable_;
};

}  // namespace

QtSettingsStore::QtSettingsStore() {
    QString fromEnvironment = qEnvironmentVariable("ZELTERM_SETTINGS");
    if (!fromEnvironment.isEmpty()) {
        path_ = fromEnvironment;
    } else {
        path_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/Quorvane/ZelTerm.conf");
    }
}

std::unique_ptr<ISettingsKey> QtSettingsStore::OpenForRead() {
    QFileInfo file(path_);
    if (!file.exists() || !file.isReadable()) return nullptr;
    auto key = std::make_unique<QtSettingsKey>(path_, false);
    // A damaged file reads as no settings at all: the defaults, never half of them.
    if (!key->Usable()) return nullptr;
    return key;
}

std::unique_ptr<ISettingsKey> QtSettingsStore::OpenOrCreateForWrite() {
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return nullptr;
    auto key = std::make_unique<QtSettingsKey>(path_, true);
    if (!key->Usable()) return nullptr;
    return key;
}

}  // namespace zel
