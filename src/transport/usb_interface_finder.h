#pragma once
// Finds the device that names a given interface GUID in its OS descriptors, the way the host
// operating system of the products' original drivers assigns the interface.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "transport/usb_device.h"

namespace zel {

// The interface of this device that carries the GUID, if any.
std::optional<uint8_t> InterfaceWithGuid(IUsbDevice& device, std::string_view guid);

// The first present device carrying the GUID; the other devices are closed again.
std::optional<FoundUsbInterface> FindUsbInterface(IUsbBackend& backend, std::string_view guid);

}  // namespace zel
