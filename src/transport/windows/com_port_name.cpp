#include "transport/windows/com_port_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <tuple>

namespace zel {

namespace {

constexpr std::string_view kDeviceNamespace = "\\\\.\\";
constexpr int kAlwaysProbed = 8;

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Letters first, then the number: "COM9" < "COM10"; names without a number sort by letters.
std::tuple<std::string, size_t, std::string> NaturalKey(const std::string& name) {
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    std::string number = name.substr(digits);
    number.erase(0, std::min(number.find_first_not_of('0'), number.size()));
    return {Upper(name.substr(0, digits)), number.size(), number};
}

}  // namespace

std::string ComPortDevicePath(const std::string& name) {
    if (name.starts_with(kDeviceNamespace)) return name;
    return std::string(kDeviceNamespace) + name;
}

std::vector<std::string> MergeComPorts(const std::vector<std::string>& systemListed) {
    std::vector<std::string> ports;
    for (int number = 1; number <= kAlwaysProbed; ++number)
        ports.push_back("COM" + std::to_string(number));
    std::vector<std::string> extra;
    for (const std::string& name : systemListed) {
        auto same = [&](const std::string& known) { return Upper(known) == Upper(name); };
        if (name.empty() || std::ranges::any_of(ports, same) || std::ranges::any_of(extra, same))
            continue;
        extra.push_back(name);
    }
    std::ranges::sort(extra, {}, NaturalKey);
    ports.insert(ports.end(), extra.begin(), extra.end());
    return ports;
}

}  // namespace zel
