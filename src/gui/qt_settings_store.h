#pragma once
// The terminal's settings in one file of the user's configuration folder (Quorvane/ZelTerm),
// or in the file ZELTERM_SETTINGS names.
#include <QString>

#include "services/settings_store.h"

namespace zel {

class QtSettingsStore : public ISettingsStore {
  public:
    // The file the environment or the user's configuration folder gives.
    QtSettingsStore();
    explicit QtSettingsStore(QString path) : path_(std::move(path)) {}

    std::unique_ptr<ISettingsKey> OpenForRead() override;
    std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() override;
    const QString& Path() const { return path_; }

  private:
    QString path_;
};

}  // namespace zel
