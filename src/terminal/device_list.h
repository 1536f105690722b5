#pragma once
// The installation's devices, kept in a file beside the settings: every change is written at
// once, whole or not at all, and a change that cannot be written is not made. A file that
// cannot be read as a device sheet is set aside, never overwritten, and the list starts empty.
#include <optional>
#include <string>
#include <vector>

#include "terminal/device.h"

namespace zel {

class IDeviceFile {
  public:
    virtual ~IDeviceFile() = default;
    // The file's text; nothing when there is no file. Throws nothing: an unreadable file is
    // given as nothing and `error` says why.
    virtual std::optional<std::string> Read(std::string& error) = 0;
    // Replaces the file with `text` in one step (a crash leaves the old or the new file).
    virtual bool Write(const std::string& text) = 0;
    // Moves a damaged file out of the way; the name it now has, empty when it could not.
    virtual std::string SetAside() = 0;
    // For messages.
    virtual std::string Name() const = 0;
};

struct DeviceImport {
    std::vector<std::string> errors;  // bad rows, or the write that failed; nothing was taken
    int added = 0;
    int replaced = 0;  // devices of the same name, now as the sheet gives them
};

class DeviceList {
  public:
    DeviceList(IDeviceFile& file, const std::vector<ProductInfo>& catalog)
        : file_(file), catalog_(catalog) {}

    // Reads the file. Empty when it was read or there is none; otherwise what the operator
    // should hear (a damaged file set aside, or one that cannot be read).
    std::string Load();

    const std::vector<Device>& Devices() const { return devices_; }
    const Device* Find(const std::string& name) const;

    // Each returns why the change was not made; empty when it was made and written.
    // Stores `device` in the place of `replacing` (renaming it), or adds it when that is empty.
    std::string Store(const Device& device, const std::string& replacing = {});
    std::string Remove(const std::string& name);
    DeviceImport Import(const std::string& sheet);
    std::string Export() const { return WriteDeviceSheet(devices_); }

  private:
    std::string Keep(std::vector<Device> changed);

    IDeviceFile& file_;
    const std::vector<ProductInfo>& catalog_;
    std::vector<Device> devices_;
    bool writable_ = true;  // false while an unreadable file must not be overwritten
};

}  // namespace zel
