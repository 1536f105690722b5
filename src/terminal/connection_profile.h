#pragma once
// How the terminal reaches the product.
#include <cstdint>
#include <string>

#include "products/protocol_info.h"

namespace zel {

struct ConnectionProfile {
    int connectionType = kSerial;
    std::string protocolName;
    std::string serialPort;
    std::string baudRate;
    std::string productIpAddress;
    uint32_t localUdpPort = 2639;
    uint32_t productUdpPort = 2639;
    bool sendUnitAddress = false;
    int unitAddress = 1;
    // Decided once at start-up by probing; they gate the connection choices for the whole run.
    bool serialAvailable = false;
    bool ethernetAvailable = false;
};

inline constexpr const char* kDefaultProductIpAddress = "192.168.0.254";

// The line speed for a baud-rate text: one of the eight known rates, else 9600.
uint32_t BaudRateFromText(const std::string& text);

}  // namespace zel
