#pragma once
// The external update programs in the "updater" folder beside the executable.
#include <QDir>
#include <QString>

#include "terminal/update_launcher.h"

namespace zel {

class QtUpdateLauncher : public IUpdateLauncher {
  public:
    explicit QtUpdateLauncher(QString updaterFolder) : folder_(std::move(updaterFolder)) {}
    // The folder beside the running executable.
    static QString DefaultFolder();

    bool ProgramsPresent() override;
    std::string Folder() const override { return QDir::toNativeSeparators(folder_).toStdString(); }
    std::optional<int> RunChecker(int timeoutMs) override;
    bool StartUpdater() override;

  private:
    QString folder_;
};

}  // namespace zel
