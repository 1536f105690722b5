#include "transport/usb_os_descriptors.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace zel {
namespace {

constexpr uint8_t kBosType = 0x0F;
constexpr uint8_t kDeviceCapabilityType = 0x10;
constexpr uint8_t kPlatformCapability = 0x05;
constexpr size_t kBosHeaderSize = 5;
constexpr size_t kPlatformUuidOffset = 4;
constexpr size_t kSetInformationOffset = 20;
constexpr size_t kSetInformationSize = 8;
// D8DD60DF-4589-4CC7-9CD2-659D9E648A9F in its little-endian wire form.
constexpr std::array<uint8_t, 16> kMsOs20PlatformUuid{
    0xDF, 0x60, 0xDD, 0xD8, 0x89, 0x45, 0xC7, 0x4C, 0x9C, 0xD2, 0x65, 0x9D, 0x9E, 0x64, 0x8A, 0x9F};

enum MsOs20DescriptorType : uint16_t {
    kSubsetHeaderFunction = 0x02,
    kRegistryProperty = 0x04,
};
constexpr size_t kMsOs20HeaderSize = 4;  // wLength, wDescriptorType

constexpr uint8_t kStringType = 0x03;
constexpr size_t kOsStringSize = 0x12;
constexpr std::string_view kOsStringSignature = "MSFT100";

constexpr uint16_t kExtendedPropertiesIndex = 5;
constexpr size_t kExtendedPropertiesHeaderSize = 10;

uint16_t Le16(UsbBytes bytes, size_t at) {
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t Le32(UsbBytes bytes, size_t at) {
    return uint32_t(Le16(bytes, at)) | uint32_t(Le16(bytes, at + 2)) << 16;
}

// UTF-16LE text as ASCII; other characters become 0xFF so that they never match.
std::string Utf16LeText(UsbBytes bytes) {
    std::string text;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const uint16_t unit = Le16(bytes, at);
        text += unit < 0x80 ? char(unit) : char(0xFF);
    }
    return text;
}

std::string_view WithoutBraces(std::string_view guid) {
    if (guid.size() >= 2 && guid.front() == '{' && guid.back() == '}') {
        return guid.substr(1, guid.size() - 2);
    }
    return guid;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool IsInterfaceGuidsName(UsbBytes name) {
    std::string text = Utf16LeText(name);
    text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
    return SameIgnoringCase(text, "DeviceInterfaceGUIDs") ||
           SameIgnoringCase(text, "DeviceInterfaceGUID");
}

// A single string or a list of strings, each ended by a NUL.
bool GuidListHolds(UsbBytes data, std::string_view guid) {
    const std::string text = Utf16LeText(data);
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\0'), rest.size());
        if (SameIgnoringCase(WithoutBraces(rest.substr(0, end)), WithoutBraces(guid))) return true;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return false;
}

// Registry property feature: type, name length, name, data length, data.
bool RegistryPropertyHoldsGuid(UsbBytes property, std::string_view guid) {
    constexpr size_t kNameLengthAt = 6, kNameAt = 8;
    if (property.size() < kNameAt) return false;
    const size_t nameLength = Le16(property, kNameLengthAt);
    const size_t dataLengthAt = kNameAt + nameLength;
    if (dataLengthAt + 2 > property.size()) return false;
    const size_t dataLength = Le16(property, dataLengthAt);
    if (dataLengthAt + 2 + dataLength > property.size()) return false;
    return IsInterfaceGuidsName(property.subspan(kNameAt, nameLength)) &&
           GuidListHolds(property.subspan(dataLengthAt + 2, dataLength), guid);
}

}  // namespace

std::optional<uint16_t> BosTotalLength(UsbBytes bos) {
    if (bos.size() < kBosHeaderSize || bos[0] < kBosHeaderSize || bos[1] != kBosType) {
        return std::nullopt;
    }
    return Le16(bos, 2);
}

std::optional<MsOs20SetLocation> FindMsOs20Set(UsbBytes bos) {
    if (!BosTotalLength(bos)) return std::nullopt;
    const size_t end = std::min<size_t>(bos.size(), Le16(bos, 2));
    for (size_t at = bos[0]; at + 3 <= end;) {
        const size_t length = bos[at];
        if (length < 3 || at + length > end) break;
        const UsbBytes capability = bos.subspan(at, length);
        if (capability[1] == kDeviceCapabilityType && capability[2] == kPlatformCapability &&
            length >= kSetInformationOffset + kSetInformationSize &&
            std::ranges::equal(capability.subspan(kPlatformUuidOffset, kMsOs20PlatformUuid.size()),
                               kMsOs20PlatformUuid)) {
            const size_t info = kSetInformationOffset;
            return MsOs20SetLocation{capability[info + 6], Le16(capability, info + 4)};
        }
        at += length;
    }
    return std::nullopt;
}

std::optional<uint8_t> FindGuidInMsOs20Set(UsbBytes set, std::string_view guid) {
    uint8_t interfaceNumber = 0;
    size_t functionEnd = 0;
    for (size_t at = 0; at + kMsOs20HeaderSize <= set.size();) {
        const size_t length = Le16(set, at);
        if (length < kMsOs20HeaderSize || at + length > set.size()) break;
        if (at >= functionEnd) interfaceNumber = 0;
        const UsbBytes descriptor = set.subspan(at, length);
        switch (Le16(set, at + 2)) {
            case kSubsetHeaderFunction:
                if (length < 8) return std::nullopt;
                interfaceNumber = descriptor[4];
                functionEnd = at + Le16(descriptor, 6);
                break;
            case kRegistryProperty:
                if (RegistryPropertyHoldsGuid(descriptor, guid)) return interfaceNumber;
                break;
            default:
                break;
        }
        at += length;
    }
    return std::nullopt;
}

std::optional<uint8_t> MsOs10VendorCode(UsbBytes stringDescriptor) {
    if (stringDescriptor.size() < kOsStringSize || stringDescriptor[0] < kOsStringSize ||
        stringDescriptor[1] != kStringType ||
        Utf16LeText(stringDescriptor.subspan(2, 2 * kOsStringSignature.size())) !=
            kOsStringSignature) {
        return std::nullopt;
    }
    return stringDescriptor[2 + 2 * kOsStringSignature.size()];
}

std::optional<uint32_t> ExtendedPropertiesLength(UsbBytes header) {
    if (header.size() < kExtendedPropertiesHeaderSize ||
        Le16(header, 6) != kExtendedPropertiesIndex) {
        return std::nullopt;
    }
    return Le32(header, 0);
}

bool ExtendedPropertiesHoldGuid(UsbBytes descriptor, std::string_view guid) {
    if (!ExtendedPropertiesLength(descriptor)) return false;
    const size_t end = std::min<size_t>(descriptor.size(), Le32(descriptor, 0));
    const size_t count = Le16(descriptor, 8);
    // Each property: size, data type, name length, name, data length, data.
    constexpr size_t kNameLengthAt = 8, kNameAt = 10;
    size_t at = kExtendedPropertiesHeaderSize;
    for (size_t index = 0; index < count && at + kNameAt <= end; ++index) {
        const size_t size = Le32(descriptor, at);
        if (size < kNameAt || at + size > end) break;
        const UsbBytes property = descriptor.subspan(at, size);
        const size_t nameLength = Le16(property, kNameLengthAt);
        const size_t dataLengthAt = kNameAt + nameLength;
        if (dataLengthAt + 4 <= size) {
            const size_t dataLength = Le32(property, dataLengthAt);
            if (dataLengthAt + 4 + dataLength <= size &&
                IsInterfaceGuidsName(property.subspan(kNameAt, nameLength)) &&
                GuidListHolds(property.subspan(dataLengthAt + 4, dataLength), guid)) {
                return true;
            }
        }
        at += size;
    }
    return false;
}

}  // namespace zel
