#pragma once
// The serial port names worth offering, in the order they are probed.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

inline constexpr size_t kMaxCandidatePorts = 8;

// ZELTERM_SERIAL_PORTS, when set, is the list: colon-separated paths, taken as they stand.
// Otherwise the machine's serial devices: USB adapters (ttyUSB, then ttyACM), then the
// built-in ports that have hardware behind them, each group in natural order. At most
// kMaxCandidatePorts.
std::vector<std::string> ListCandidatePorts();

// A colon-separated list of port names, taken as they stand; at most kMaxCandidatePorts.
std::vector<std::string> PortsFromList(std::string_view list);

// The device search on its own, over the given device and tty-class directories. Nothing is
// opened: a built-in port (ttyS) counts when its class entry reports a UART type other than 0,
// or, for drivers without that attribute, has a driver bound.
std::vector<std::string> FindSerialDevices(const std::filesystem::path& deviceDir,
                                           const std::filesystem::path& ttyClassDir);

}  // namespace zel
