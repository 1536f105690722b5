#pragma once
// The descriptors through which a device names its interface GUID to the host: the OS 2.0
// descriptor set announced by a BOS platform capability, and the older string 0xEE with its
// extended properties feature descriptor.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zel {

using UsbBytes = std::span<const uint8_t>;

struct MsOs20SetLocation {
    uint8_t vendorCode = 0;    // the vendor request that returns the descriptor set
    uint16_t totalLength = 0;  // of the descriptor set
};

// Total length announced by a BOS descriptor header; empty when the bytes are no BOS header.
std::optional<uint16_t> BosTotalLength(UsbBytes bos);

// The first descriptor set information of the OS 2.0 platform capability in a whole BOS.
std::optional<MsOs20SetLocation> FindMsOs20Set(UsbBytes bos);

// The interface that a registry property of the set assigns the GUID to: the first interface of
// the function subset holding it, or 0 for a property that applies to the whole device.
std::optional<uint8_t> FindGuidInMsOs20Set(UsbBytes set, std::string_view guid);

// The vendor code of an OS string descriptor ("MSFT100"); empty for any other string.
std::optional<uint8_t> MsOs10VendorCode(UsbBytes stringDescriptor);

// Total length announced by an extended properties feature descriptor header.
std::optional<uint32_t> ExtendedPropertiesLength(UsbBytes header);

bool ExtendedPropertiesHoldGuid(UsbBytes descriptor, std::string_view guid);

}  // namespace zel
