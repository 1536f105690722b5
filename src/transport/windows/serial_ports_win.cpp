// The COM ports worth offering: the probed COM1 to COM8 and every port the system lists.
#include <windows.h>

#include <cstdlib>

#include "transport/serial_ports.h"
#include "transport/windows/com_port_name.h"
#include "transport/windows/win_handles.h"

namespace zel {

namespace {

// The ports the serial drivers have announced (USB adapters included), from the device map.
std::vector<std::string> SystemSerialPorts() {
    std::vector<std::string> ports;
    HKEY map = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) !=
        ERROR_SUCCESS) {
        return ports;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        wchar_t port[256] = {};
        DWORD portBytes = sizeof port - sizeof(wchar_t);  // room for a terminating zero
        DWORD type = 0;
        LONG result = RegEnumValueW(map, index, name, &nameLength, nullptr, &type,
                                    reinterpret_cast<BYTE*>(port), &portBytes);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_SUCCESS && type == REG_SZ) ports.push_back(win::Narrow(port));
    }
    RegCloseKey(map);
    return ports;
}

}  // namespace

std::vector<std::string> ListCandidatePorts() {
    if (const char* list = std::getenv("ZELTERM_SERIAL_PORTS")) return PortsFromList(list);
    return MergeComPorts(SystemSerialPorts());
}

}  // namespace zel
