#pragma once
// The settings file is never written in place: the writer edits a copy beside it, which takes
// the file's place only once it reads back whole. A write cut short (a full disk, a file-size
// limit) goes unnoticed by the settings writer itself, and must not cost the file what it held.
#include <QSettings>
#include <QString>
#include <QTemporaryFile>
#include <memory>

namespace zel {

class SettingsWorkingCopy {
  public:
    // A copy of the file (empty when there is none yet); nothing when the file cannot be read
    // or no copy can be made beside it.
    static std::unique_ptr<SettingsWorkingCopy> Make(const QString& path);

    QString Path() const { return copy_.fileName(); }
    // Puts the copy in the file's place when it reads back with every value `written` holds in
    // these groups; otherwise the file stays as it was and the answer is false.
    bool ReplaceFile(const QSettings& written, const QStringList& groups);

  private:
    explicit SettingsWorkingCopy(const QString& path);

    QString path_;
    QTemporaryFile copy_;  // removed unless it took the file's place
};

}  // namespace zel
