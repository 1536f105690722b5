#pragma once
// The device list's file beside the settings file: "ZelTerm.conf" keeps its devices in
// "ZelTerm-devices.csv", a sheet the operator may also open in a spreadsheet.
#include <QString>

#include "terminal/device_list.h"

namespace zel {

class QtDeviceFile : public IDeviceFile {
  public:
    explicit QtDeviceFile(QString path) : path_(std::move(path)) {}
    // The file beside this settings file.
    static QString BesideSettings(const QString& settingsPath);
    // Where this user's list is kept: beside the settings file, or on Windows, whose settings
    // live in the registry, in the user's configuration folder.
    static QString OfThisUser();

    std::optional<std::string> Read(std::string& error) override;
    bool Write(const std::string& text) override;
    std::string SetAside() override;
    std::string Name() const override { return path_.toStdString(); }

  private:
    QString path_;
};

}  // namespace zel
