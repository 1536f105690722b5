#pragma once
// The operating system's clock and USB access, chosen at build time: what the programs build
// their terminal on.
#include <memory>

#ifdef _WIN32
#include "transport/windows/system_clock_windows.h"
#include "transport/windows/system_usb_backend.h"
#else
#include "transport/system_clock_posix.h"
#include "transport/usb_libusb.h"
#endif

namespace zel {

inline std::unique_ptr<IUsbBackend> MakeSystemUsbBackend() {
#ifdef _WIN32
    return MakeSystemWinUsbBackend();
#else
    return MakeLibusbBackend();
#endif
}

}  // namespace zel
