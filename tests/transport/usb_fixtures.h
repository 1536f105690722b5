#pragma once
// Descriptor bytes of products' USB devices and a model of their control-request answers, shared
// by the fake-device tests and the emulated-device tests.
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "transport/usb_device.h"

namespace zel::test {

using Bytes = std::vector<uint8_t>;

inline constexpr std::string_view kOtherGuid = "{0B8F3A71-5E22-4C1D-9A40-7D3E2B6C1F95}";
inline constexpr uint8_t kOs20VendorCode = 0x20;
inline constexpr uint8_t kOs10VendorCode = 0x42;

// BOS with a USB 2.0 extension and the OS 2.0 platform capability for a set of setLength bytes.
Bytes MsOs20Bos(uint16_t setLength);
// OS 2.0 descriptor set naming the GUID in DeviceInterfaceGUIDs, device-wide or inside a
// function subset for the given first interface.
Bytes MsOs20Set(std::string_view guid, std::optional<uint8_t> functionInterface = {});
Bytes MsOs10String(uint8_t vendorCode);
// Extended properties naming the GUID in DeviceInterfaceGUID.
Bytes ExtendedProperties(std::string_view guid);

// Answers to device-to-host control requests; unknown requests stall.
class UsbControlModel {
  public:
    void Answer(const UsbControlSetup& request, Bytes answer);
    std::optional<Bytes> Respond(const UsbControlSetup& setup) const;

  private:
    using Key = std::tuple<uint8_t, uint8_t, uint16_t, uint16_t>;
    std::map<Key, Bytes> answers_;
};

UsbControlModel DeviceWithOs20Guid(std::string_view guid);
UsbControlModel DeviceWithOs10Guid(std::string_view guid);
UsbControlModel DeviceWithoutOsDescriptors();

}  // namespace zel::test
