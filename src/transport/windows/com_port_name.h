#pragma once
// COM port names as users see them and as the system opens them. Standard library only.
#include <string>
#include <vector>

namespace zel {

// The path that opens the port: "COM10" and above open only in the device namespace ("\\.\COM10"),
// and the lower numbers open there as well. A name already in that namespace stays as it is.
std::string ComPortDevicePath(const std::string& name);

// The ports to offer: COM1 to COM8 always (they are probed, so missing ones cost nothing), then
// the ports the system lists that are not among them, in natural order (COM9 before COM10),
// each once.
std::vector<std::string> MergeComPorts(const std::vector<std::string>& systemListed);

}  // namespace zel
