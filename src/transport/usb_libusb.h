#pragma once
// The system's USB devices through libusb.
#include <memory>

#include "transport/usb_device.h"

namespace zel {

std::unique_ptr<IUsbBackend> MakeLibusbBackend();

}  // namespace zel
