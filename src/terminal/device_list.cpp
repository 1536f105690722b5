#include "terminal/device_list.h"

#include <algorithm>

namespace zel {

std::string DeviceList::Load() {
    devices_.clear();
    writable_ = true;
    std::string error;
    std::optional<std::string> text = file_.Read(error);
    if (!text) {
        // A file that is there but cannot be read would be lost by the next write.
        writable_ = error.empty();
        return error.empty() ? std::string() : "The device list cannot be read: " + error;
    }
    DeviceSheet sheet = ReadDeviceSheet(*text, catalog_);
    if (sheet.errors.empty()) {
        devices_ = std::move(sheet.devices);
        return {};
    }
    std::string message =
        "The device list " + file_.Name() + " is damaged (" + sheet.errors.front() + ")";
    const std::string aside = file_.SetAside();
    if (aside.empty()) {
        writable_ = false;
        return message + " and could not be set aside; devices are not saved in this run.";
    }
    return message + "; it was kept as " + aside + " and the list starts empty.";
}

const Device* DeviceList::Find(const std::string& name) const {
    auto found = std::ranges::find(devices_, name, &Device::name);
    return found == devices_.end() ? nullptr : &*found;
}

std::string DeviceList::Store(const Device& device, const std::string& replacing) {
    if (std::string problem = DeviceProblem(device, catalog_); !problem.empty()) return problem;
    std::vector<Device> changed = devices_;
    auto place = std::ranges::find(changed, replacing, &Device::name);
    if (!replacing.empty() && place == changed.end()) {
        return "there is no device \"" + replacing + "\"";
    }
    if (device.name != replacing && Find(device.name)) {
        return "a device named \"" + device.name + "\" exists already";
    }
    if (place == changed.end()) {
        changed.push_back(device);
    } else {
        *place = device;
    }
    return Keep(std::move(changed));
}

std::string DeviceList::Remove(const std::string& name) {
    std::vector<Device> changed = devices_;
    if (std::erase_if(changed, [&](const Device& d) { return d.name == name; }) == 0) {
        return "there is no device \"" + name + "\"";
    }
    return Keep(std::move(changed));
}

DeviceImport DeviceList::Import(const std::string& text) {
    DeviceImport result;
    DeviceSheet sheet = ReadDeviceSheet(text, catalog_);
    if (!sheet.errors.empty()) {
        result.errors = std::move(sheet.errors);
        return result;
    }
    std::vector<Device> changed = devices_;
    for (const Device& device : sheet.devices) {
        auto place = std::ranges::find(changed, device.name, &Device::name);
        if (place == changed.end()) {
            changed.push_back(device);
            ++result.added;
        } else {
            *place = device;
            ++result.replaced;
        }
    }
    if (std::string error = Keep(std::move(changed)); !error.empty()) {
        result = DeviceImport{{error}, 0, 0};
    }
    return result;
}

std::string DeviceList::Keep(std::vector<Device> changed) {
    if (!writable_) return "the device list file " + file_.Name() + " is not overwritten";
    if (!file_.Write(WriteDeviceSheet(changed))) {
        return "the device list cannot be written to " + file_.Name();
    }
    devices_ = std::move(changed);
    return {};
}

}  // namespace zel
