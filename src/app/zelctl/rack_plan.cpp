#include "app/zelctl/rack_plan.h"

#include <algorithm>
#include <map>

#include "app/zelctl/terminal_operator.h"

namespace zel::ctl {

std::string NoDevice(const std::string& name, const std::vector<Device>& stored) {
    std::vector<std::string> names;
    for (const Device& device : stored) names.push_back(device.name);
    return "no device " + Quoted(name) +
           "; the devices are: " + (names.empty() ? "none stored" : Joined(names, ", "));
}

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<Device> Named(const std::string& chosen, const std::vector<Device>& stored,
                          std::string& error) {
    std::vector<Device> devices;
    size_t start = 0;
    while (start <= chosen.size()) {
        size_t comma = chosen.find(',', start);
        if (comma == std::string::npos) comma = chosen.size();
        const std::string name = Trimmed(chosen.substr(start, comma - start));
        start = comma + 1;
        if (name.empty()) continue;
        auto found = std::ranges::find(stored, name, &Device::name);
        if (found == stored.end()) {
            error = NoDevice(name, stored);
            return {};
        }
        if (std::ranges::find(devices, name, &Device::name) == devices.end()) {
            devices.push_back(*found);
        }
    }
    return devices;
}

// Two terminals of one run cannot hold the same serial port or bind the same local UDP port.
std::string SharedPort(const std::vector<Device>& devices) {
    std::map<std::string, const Device*> holders;
    for (const Device& device : devices) {
        std::string port;
        if (device.connection == kSerial) port = "the serial port " + device.address;
        if (device.connection == kEthernet) {
            port = "the local UDP port " + std::to_string(device.localPort);
        }
        if (port.empty()) continue;
        auto [holder, added] = holders.emplace(port, &device);
        if (!added) {
            return "the devices " + Quoted(holder->second->name) + " and " + Quoted(device.name) +
                   " both use " + port + "; give each its own";
        }
    }
    return {};
}

}  // namespace

bool NamesSheet(const std::string& chosen) {
    return chosen.size() > 4 && chosen.ends_with(".csv");
}

RackPlan PlanRack(const std::string& chosen, const std::vector<Device>& stored,
                  const DeviceSheet* sheet) {
    RackPlan plan;
    if (sheet) {
        if (!sheet->errors.empty()) {
            plan.error = chosen + " has bad rows:\n  " + Joined(sheet->errors, "\n  ");
            return plan;
        }
        plan.devices = sheet->devices;
    } else if (chosen == "all") {
        plan.devices = stored;
    } else {
        plan.devices = Named(chosen, stored, plan.error);
        if (!plan.error.empty()) return plan;
    }
    if (plan.devices.empty()) {
        plan.error = "no devices to run on";
    } else {
        plan.error = SharedPort(plan.devices);
    }
    if (!plan.error.empty()) plan.devices.clear();
    return plan;
}

}  // namespace zel::ctl
