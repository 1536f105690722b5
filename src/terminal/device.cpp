#include "terminal/device.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>

#include "services/dialog_fields.h"

namespace zel {

namespace {

constexpr std::array<const char*, 3> kConnectionNames = {"serial", "ethernet", "usb"};
constexpr int kMaxUnitAddress = 127;
constexpr uint32_t kHighestPort = 65535;
constexpr size_t kColumns = 7;
constexpr size_t kLeastColumns = 5;  // protocol and unit address may be left off

struct Row {
    int line = 0;  // where the row starts
    std::vector<std::string> fields;
};

// Rows of comma-separated fields; a quoted field may hold commas, doubled quotes and line ends.
std::vector<Row> SplitRows(const std::string& text, std::vector<std::string>& errors) {
    std::vector<Row> rows;
    Row row{1, {}};
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    auto endRow = [&] {
        if (fieldStarted || !row.fields.empty()) row.fields.push_back(field);
        if (!row.fields.empty()) rows.push_back(row);
        row = Row{line, {}};
        field.clear();
        fieldStarted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            fieldStarted = true;
        } else if (c == ',') {
            row.fields.push_back(field);
            field.clear();
            fieldStarted = true;
        } else if (c == '\n') {
            ++line;
            endRow();
        } else if (c != '\r') {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        errors.push_back("line " + std::to_string(row.line) + ": a quote is not closed");
        return rows;
    }
    endRow();
    return rows;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::optional<uint32_t> Number(const std::string& text, uint32_t highest) {
    uint32_t value = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size() ||
        value > highest) {
        return std::nullopt;
    }
    return value;
}

const ProductInfo* ProductNamed(const std::vector<ProductInfo>& catalog, const std::string& name) {
    auto found = std::ranges::find(catalog, name, &ProductInfo::Name);
    return found == catalog.end() ? nullptr : &*found;
}

// "LOCAL/PRODUCT" or one port for both.
std::string ReadPorts(const std::string& text, Device& device) {
    if (text.empty()) return {};
    const auto slash = text.find('/');
    const auto local = Number(Trimmed(text.substr(0, slash)), kHighestPort);
    const auto product =
        slash == std::string::npos ? local : Number(Trimmed(text.substr(slash + 1)), kHighestPort);
    if (!local || !product || *local == 0 || *product == 0) {
        return "the ports \"" + text + "\" are not LOCAL/PRODUCT UDP ports from 1 to 65535";
    }
    device.localPort = *local;
    device.productPort = *product;
    return {};
}

std::string ReadUnitAddress(const std::string& text, Device& device) {
    if (text.empty() || Lower(text) == "off") return {};
    const auto value = Number(text, kMaxUnitAddress);
    if (!value) return "the unit address \"" + text + "\" is not off or a number from 0 to 127";
    device.unitAddress = static_cast<int>(*value);
    return {};
}

// The device a row describes, or why it describes none.
std::string ReadDevice(const Row& row, Device& device) {
    if (row.fields.size() < kLeastColumns || row.fields.size() > kColumns) {
        return "has " + std::to_string(row.fields.size()) + " columns; a device has 5 to 7 (" +
               kDeviceSheetHeader + ")";
    }
    std::array<std::string, kColumns> cells;
    std::ranges::transform(row.fields, cells.begin(), Trimmed);
    device.name = cells[0];
    device.product = cells[1];
    const auto connection = DeviceConnectionNamed(Lower(cells[2]));
    if (!connection) return "the connection \"" + cells[2] + "\" is not serial, ethernet or usb";
    device.connection = *connection;
    device.address = cells[3];
    if (std::string problem = ReadPorts(cells[4], device); !problem.empty()) return problem;
    device.protocol = cells[5];
    return ReadUnitAddress(cells[6], device);
}

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos && Trimmed(field) == field) {
        return field;
    }
    std::string quoted = "\"";
    for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

const char* DeviceConnectionName(int connection) {
    return connection >= kSerial && connection <= kUsb ? kConnectionNames[connection] : "";
}

std::optional<int> DeviceConnectionNamed(const std::string& name) {
    for (int type = kSerial; type <= kUsb; ++type) {
        if (name == kConnectionNames[type]) return type;
    }
    return std::nullopt;
}

std::string DeviceProblem(const Device& device, const std::vector<ProductInfo>& catalog) {
    if (device.name.empty()) return "the device has no name";
    const ProductInfo* product = ProductNamed(catalog, device.product);
    if (!product) return "there is no product \"" + device.product + "\"";
    const char* connection = DeviceConnectionName(device.connection);
    if (!*connection) return "the connection is not serial, ethernet or usb";
    if (!product->Supports(device.connection)) {
        return device.product + " has no " + connection + " connection";
    }
    if (!device.protocol.empty() &&
        std::ranges::none_of(product->Protocols(device.connection), [&](const ProtocolInfo& p) {
            return p.GetName() == device.protocol;
        })) {
        return device.product + " has no protocol \"" + device.protocol + "\" on " + connection;
    }
    switch (device.connection) {
        case kSerial:
            if (device.address.empty()) return "a serial device needs its port as the address";
            break;
        case kEthernet:
            if (!ParseDottedAddress(device.address)) {
                return "the address \"" + device.address + "\" is not an IPv4 address";
            }
            break;
        default:
            if (!device.address.empty()) return "a USB device takes no address";
            break;
    }
    if (device.unitAddress && (*device.unitAddress < 0 || *device.unitAddress > kMaxUnitAddress)) {
        return "the unit address is not from 0 to 127";
    }
    return {};
}

std::string DeviceSummary(const Device& device) {
    std::string summary = device.product + " on " + DeviceConnectionName(device.connection);
    if (device.connection == kEthernet) {
        summary += " " + device.address + ":" + std::to_string(device.productPort);
    } else if (device.connection == kSerial) {
        summary += " " + device.address;
    }
    return summary;
}

DeviceSheet ReadDeviceSheet(const std::string& text, const std::vector<ProductInfo>& catalog) {
    DeviceSheet sheet;
    std::vector<Row> rows = SplitRows(text, sheet.errors);
    if (!rows.empty() && Lower(Trimmed(rows.front().fields.front())) == "name") {
        rows.erase(rows.begin());
    }
    std::set<std::string> names;
    for (const Row& row : rows) {
        if (std::ranges::all_of(row.fields, [](const auto& f) { return Trimmed(f).empty(); })) {
            continue;
        }
        Device device;
        std::string problem = ReadDevice(row, device);
        if (problem.empty()) problem = DeviceProblem(device, catalog);
        if (problem.empty() && !names.insert(device.name).second) {
            problem = "the name \"" + device.name + "\" is given to an earlier row too";
        }
        if (problem.empty()) {
            sheet.devices.push_back(device);
        } else {
            sheet.errors.push_back("line " + std::to_string(row.line) + ": " + problem);
        }
    }
    return sheet;
}

std::string WriteDeviceSheet(const std::vector<Device>& devices) {
    std::string text = std::string(kDeviceSheetHeader) + "\n";
    for (const Device& device : devices) {
        const bool ethernet = device.connection == kEthernet;
        const std::string ports =
            ethernet ? std::to_string(device.localPort) + "/" + std::to_string(device.productPort)
                     : "";
        const std::string unit =
            device.unitAddress ? std::to_string(*device.unitAddress) : std::string("off");
        for (const std::string& field :
             {device.name, device.product, std::string(DeviceConnectionName(device.connection)),
              device.address, ports, device.protocol}) {
            text += Quoted(field) + ",";
        }
        text += unit + "\n";
    }
    return text;
}

}  // namespace zel
