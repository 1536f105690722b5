#include "transport/usb_interface_finder.h"

#include <algorithm>
#include <limits>

#include "transport/usb_os_descriptors.h"

namespace zel {
namespace {

// Descriptor requests are answered by the device's firmware at once; a device that does not
// know them stalls, which fails quickly too.
constexpr unsigned kDescriptorTimeoutMs = 1000;

constexpr uint8_t kStandardToDevice = 0x80;
constexpr uint8_t kVendorToDevice = 0xC0;
constexpr uint8_t kVendorToInterface = 0xC1;
constexpr uint8_t kGetDescriptor = 0x06;
constexpr uint16_t kBosDescriptor = 0x0F00;
constexpr uint16_t kOsStringDescriptor = 0x03EE;
constexpr uint16_t kBosHeaderSize = 5;
constexpr uint16_t kOsStringSize = 0x12;
constexpr uint16_t kMsOs20DescriptorIndex = 7;
constexpr uint16_t kExtendedPropertiesIndex = 5;
constexpr uint16_t kExtendedPropertiesHeaderSize = 10;

std::optional<std::vector<uint8_t>> Ask(IUsbDevice& device, const UsbControlSetup& setup) {
    return device.ControlIn(setup, kDescriptorTimeoutMs);
}

std::optional<uint8_t> GuidInMsOs20Set(IUsbDevice& device, std::string_view guid) {
    const auto header =
        Ask(device, {kStandardToDevice, kGetDescriptor, kBosDescriptor, 0, kBosHeaderSize});
    if (!header) return std::nullopt;
    const auto total = BosTotalLength(*header);
    if (!total) return std::nullopt;
    const auto bos = Ask(device, {kStandardToDevice, kGetDescriptor, kBosDescriptor, 0, *total});
    if (!bos) return std::nullopt;
    const auto location = FindMsOs20Set(*bos);
    if (!location) return std::nullopt;
    const auto set = Ask(device, {kVendorToDevice, location->vendorCode, 0, kMsOs20DescriptorIndex,
                                  location->totalLength});
    if (!set) return std::nullopt;
    return FindGuidInMsOs20Set(*set, guid);
}

// The 1.0 form describes the interface named in the request's high value byte: interface 0.
std::optional<uint8_t> GuidInMsOs10Properties(IUsbDevice& device, std::string_view guid) {
    const auto osString =
        Ask(device, {kStandardToDevice, kGetDescriptor, kOsStringDescriptor, 0, kOsStringSize});
    if (!osString) return std::nullopt;
    const auto vendorCode = MsOs10VendorCode(*osString);
    if (!vendorCode) return std::nullopt;
    const UsbControlSetup headerRequest{kVendorToInterface, *vendorCode, 0,
                                        kExtendedPropertiesIndex, kExtendedPropertiesHeaderSize};
    const auto header = Ask(device, headerRequest);
    if (!header) return std::nullopt;
    const auto total = ExtendedPropertiesLength(*header);
    if (!total) return std::nullopt;
    UsbControlSetup request = headerRequest;
    request.length = uint16_t(std::min<uint32_t>(*total, std::numeric_limits<uint16_t>::max()));
    const auto properties = Ask(device, request);
    if (!properties || !ExtendedPropertiesHoldGuid(*properties, guid)) return std::nullopt;
    return uint8_t{0};
}

}  // namespace

std::optional<uint8_t> InterfaceWithGuid(IUsbDevice& device, std::string_view guid) {
    if (const auto found = GuidInMsOs20Set(device, guid)) return found;
    return GuidInMsOs10Properties(device, guid);
}

std::optional<FoundUsbInterface> FindUsbInterface(IUsbBackend& backend, std::string_view guid) {
    for (auto& device : backend.OpenPresentDevices()) {
        if (const auto interfaceNumber = InterfaceWithGuid(*device, guid)) {
            return FoundUsbInterface{std::move(device), *interfaceNumber};
        }
    }
    return std::nullopt;
}

std::optional<FoundUsbInterface> IUsbBackend::FindInterface(std::string_view guid) {
    return FindUsbInterface(*this, guid);
}

}  // namespace zel
