#pragma once
// One device of an installation, as the operator named it: which product it is and how the
// terminal reaches it. A rack's sheet is a CSV file of these, one per row.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "products/product_info.h"

namespace zel {

struct Device {
    std::string name;  // unique in the list
    std::string product;
    int connection = kEthernet;
    std::string address;        // the serial port, or the product's IPv4 address; empty for USB
    uint32_t localPort = 2639;  // Ethernet only
    uint32_t productPort = 2639;
    std::string protocol;            // empty: the product's default on that connection
    std::optional<int> unitAddress;  // sent with every command when set

    bool operator==(const Device&) const = default;
};

// "serial", "ethernet" or "usb".
const char* DeviceConnectionName(int connection);
std::optional<int> DeviceConnectionNamed(const std::string& name);

// Why the device cannot be used with these products; empty when it can.
std::string DeviceProblem(const Device& device, const std::vector<ProductInfo>& catalog);

// A device in one line for the log and the lists: "Korvex KX-2 on ethernet 10.0.0.3:2639".
std::string DeviceSummary(const Device& device);

// The column headings of a device sheet, in order.
inline constexpr const char* kDeviceSheetHeader =
    "name,product,connection,address,ports,protocol,unit address";

struct DeviceSheet {
    std::vector<Device> devices;
    std::vector<std::string> errors;  // "line 4: ...", one per bad row; empty when all are good
};

// Reads a sheet: an optional heading row, then one device per row. Names must be unique in it.
DeviceSheet ReadDeviceSheet(const std::string& text, const std::vector<ProductInfo>& catalog);
std::string WriteDeviceSheet(const std::vector<Device>& devices);

}  // namespace zel
