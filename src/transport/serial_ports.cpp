#include "transport/serial_ports.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace zel {

namespace {

struct DeviceGroup {
    std::string_view prefix;
    bool needsHardwareCheck;
};
// USB adapters first: on most machines they are the only ports with anything attached.
constexpr DeviceGroup kGroups[] = {{"ttyUSB", false}, {"ttyACM", false}, {"ttyS", true}};

// The unit number after the prefix, or nothing when the rest is not a plain number.
std::optional<unsigned long> UnitNumber(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) return std::nullopt;
    std::string_view digits = name.substr(prefix.size());
    unsigned long unit = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), unit);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return unit;
}

bool HasHardware(const std::filesystem::path& classEntry) {
    std::ifstream typeFile(classEntry / "type");
    if (typeFile) {
        int uartType = 0;
        return typeFile >> uartType && uartType != 0;
    }
    std::error_code ignored;
    return std::filesystem::exists(classEntry / "device" / "driver", ignored);
}

// The group's device paths in natural order (ttyS2 before ttyS10).
std::vector<std::string> DevicesInGroup(const std::filesystem::path& deviceDir,
                                        const std::filesystem::path& ttyClassDir,
                                        const DeviceGroup& group) {
    std::vector<std::pair<unsigned long, std::string>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(deviceDir, error)) {
        std::string name = entry.path().filename().string();
        auto unit = UnitNumber(name, group.prefix);
        if (unit && (!group.needsHardwareCheck || HasHardware(ttyClassDir / name)))
            found.emplace_back(*unit, entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [unit, path] : found) paths.push_back(std::move(path));
    return paths;
}

}  // namespace

std::vector<std::string> FindSerialDevices(const std::filesystem::path& deviceDir,
                                           const std::filesystem::path& ttyClassDir) {
    std::vector<std::string> ports;
    for (const auto& group : kGroups) {
        for (auto& path : DevicesInGroup(deviceDir, ttyClassDir, group)) {
            if (ports.size() == kMaxCandidatePorts) return ports;
            ports.push_back(std::move(path));
        }
    }
    return ports;
}

std::vector<std::string> ListCandidatePorts() {
    if (const char* list = std::getenv("ZELTERM_SERIAL_PORTS")) return PortsFromList(list);
    return FindSerialDevices("/dev", "/sys/class/tty");
}

}  // namespace zel
