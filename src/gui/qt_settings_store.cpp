#include "gui/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "gui/settings_working_copy.h"

namespace zel {

namespace {

// Values are kept with their type, texts as their exact bytes, so a reader gets back the stored
// size; a number reads back as its 4 little-endian bytes.
const QString kTextPrefix = QStringLiteral("text/");
const QString kNumberPrefix = QStringLiteral("number/");
const QStringList kGroups = {QStringLiteral("text"), QStringLiteral("number")};

class QtSettingsKey : public ISettingsKey {
  public:
    // Reads the file itself.
    explicit QtSettingsKey(const QString& path) : settings_(path, QSettings::IniFormat) {}
    // Writes a working copy, which takes the file's place when saved.
    explicit QtSettingsKey(std::unique_ptr<SettingsWorkingCopy> working)
        : working_(std::move(working)), settings_(working_->Path(), QSettings::IniFormat) {}
    ~QtSettingsKey() override { Save(); }

    bool Usable() {
        return settings_.status() == QSettings::NoError && (!working_ || settings_.isWritable());
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

    bool Save() override {
        if (!working_) return false;
        if (!pending_) return saved_;
        pending_ = false;
        settings_.sync();
        // A damaged file read again while syncing reports a format error; the write itself
        // either failed with an access error or is checked by reading it back.
        saved_ = settings_.status() != QSettings::AccessError &&
                 working_->ReplaceFile(settings_, kGroups);
        return saved_;
    }

  private:
    bool Written() {
        pending_ = working_ != nullptr;
        return pending_ && settings_.status() == QSettings::NoError;
    }

    std::unique_ptr<SettingsWorkingCopy> working_;  // none when only reading
    QSettings settings_;
    bool pending_ = false;
    bool saved_ = true;
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
    auto key = std::make_unique<QtSettingsKey>(path_);
    // A damaged file reads as no settings at all: the defaults, never half of them.
    if (!key->Usable()) return nullptr;
    return key;
}

std::unique_ptr<ISettingsKey> QtSettingsStore::OpenOrCreateForWrite() {
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return nullptr;
    // Writing merges with what the file holds: one that cannot be read would lose it all, and
    // one that may not be written is not replaced either.
    QFileInfo file(path_);
    if (file.exists() && !(file.isReadable() && file.isWritable())) return nullptr;
    auto working = SettingsWorkingCopy::Make(path_);
    if (!working) return nullptr;
    auto key = std::make_unique<QtSettingsKey>(std::move(working));
    if (!key->Usable()) return nullptr;
    return key;
}

}  // namespace zel
