#pragma once
// The system's USB devices through SetupAPI and WinUSB. The Win32 calls sit in a table, so the
// pipe handling runs against a fake of them as well.
#include <windows.h>
#include <winusb.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "transport/usb_device.h"

namespace zel {

struct WinUsbCalls {
    // The device paths of the present devices that offer the interface, in the system's order.
    std::function<std::vector<std::wstring>(const GUID& interfaceClass)> presentDevices;
    // INVALID_HANDLE_VALUE with the last error set on failure.
    std::function<HANDLE(const std::wstring& path)> openDevice;
    std::function<void(HANDLE)> closeDevice;
    std::function<BOOL(HANDLE, PWINUSB_INTERFACE_HANDLE)> initialize;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE)> free;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, UCHAR, PUSB_INTERFACE_DESCRIPTOR)>
        interfaceSettings;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, UCHAR, UCHAR, PWINUSB_PIPE_INFORMATION)> queryPipe;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, ULONG, PULONG, PVOID)> deviceInformation;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, UCHAR, ULONG, ULONG, PVOID)> setPipePolicy;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, UCHAR, PUCHAR, ULONG, PULONG)> readPipe;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, UCHAR, PUCHAR, ULONG, PULONG)> writePipe;
    std::function<BOOL(WINUSB_INTERFACE_HANDLE, WINUSB_SETUP_PACKET, PUCHAR, ULONG, PULONG)>
        controlTransfer;
};

WinUsbCalls SystemWinUsbCalls();

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"; nothing for any other text.
std::optional<GUID> ParseGuid(std::string_view text);

std::unique_ptr<IUsbBackend> MakeWinUsbBackend(WinUsbCalls calls = SystemWinUsbCalls());

}  // namespace zel
