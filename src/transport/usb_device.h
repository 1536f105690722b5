#pragma once
// Thin access to USB devices: what the products' link needs and nothing more, so the link logic
// runs against a fake as well as against the system's USB library.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace zel {

enum class UsbEndpointType : uint8_t { Control, Isochronous, Bulk, Interrupt };

struct UsbEndpoint {
    uint8_t address = 0;  // the IN bit (0x80) set for device-to-host
    UsbEndpointType type = UsbEndpointType::Bulk;
    uint16_t maxPacketSize = 0;

    bool IsIn() const { return (address & 0x80) != 0; }
};

struct UsbControlSetup {
    uint8_t requestType = 0;
    uint8_t request = 0;
    uint16_t value = 0;
    uint16_t index = 0;
    uint16_t length = 0;
};

// One opened device; closed when destroyed.
class IUsbDevice {
  public:
    virtual ~IUsbDevice() = default;
    // A device-to-host control request; the answer may be shorter than asked. Empty on failure.
    virtual std::optional<std::vector<uint8_t>> ControlIn(const UsbControlSetup& setup,
                                                          unsigned timeoutMs) = 0;
    virtual bool ClaimInterface(uint8_t number) = 0;
    // The endpoints of the interface's first alternate setting, in descriptor order.
    virtual std::vector<UsbEndpoint> Endpoints(uint8_t interfaceNumber) = 0;
    virtual uint8_t Speed() = 0;
    // One bulk or interrupt transfer; transferred counts the bytes moved even when it fails.
    // An IN length must be a multiple of the endpoint's max packet size.
    virtual bool Transfer(const UsbEndpoint& endpoint, uint8_t* data, size_t length,
                          size_t& transferred, unsigned timeoutMs) = 0;
};

struct FoundUsbInterface {
    std::unique_ptr<IUsbDevice> device;
    uint8_t interfaceNumber = 0;
};

class IUsbBackend {
  public:
    virtual ~IUsbBackend() = default;
    // The first present device carrying the interface GUID, with that interface's number. By
    // default the devices' own descriptors are searched; a system that matches devices to
    // interface GUIDs itself answers from its own records.
    virtual std::optional<FoundUsbInterface> FindInterface(std::string_view guid);
    // The present devices in bus order; those this process may not open are left out.
    virtual std::vector<std::unique_ptr<IUsbDevice>> OpenPresentDevices() = 0;
    // How many devices the latest search left out because this user may not open them.
    virtual size_t DevicesDenied() const { return 0; }
};

}  // namespace zel
