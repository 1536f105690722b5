#pragma once
// One protocol that one product offers on one connection type, with its defaults.
#include <cstdint>
#include <string>

namespace zel {

enum ConnectionType : int32_t { kSerial = 0, kEthernet = 1, kUsb = 2, kUnassigned = 3 };
inline constexpr int kConnectionTypeCount = 3;

enum ProtocolId : int32_t {
    kProtocolNone = 0,
    kPioneer = 1,
    kPioneerZelnet = 2,
    kNetwickTest = 3,
    kNetwickEightBit = 4,
    kQuorvaneEightBit = 5,
    kQuorvaneNineBit = 6,
    kMidi = 7,
    kCustomProtocol = 8,
};

// The display name of a protocol id ("Pioneer(ZELNet)"), empty for an unknown id.
std::string ProtocolName(int32_t protocolId);

struct ProtocolInfo {
    int32_t protocol = kProtocolNone;
    int32_t connectionType = kUnassigned;
    bool isDefault = false;
    std::string baudRates;  // "1200,2400,...", serial entries only
    std::string defaultBaudRate;
    uint32_t defaultProductPort = 0;  // Ethernet entries only

    std::string GetName() const { return ProtocolName(protocol); }
};

}  // namespace zel
