#pragma once
// The WinUSB backend on the system's own calls. Declared apart from usb_winusb.h, which needs
// <windows.h>: its macros (MessageBox, CreateWindow, ...) would rename names in every file of
// the layers above that includes it.
#include <memory>

#include "transport/usb_device.h"

namespace zel {

std::unique_ptr<IUsbBackend> MakeSystemWinUsbBackend();

}  // namespace zel
