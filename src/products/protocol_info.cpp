#include "products/protocol_info.h"

#include <array>
#include <string_view>

namespace zel {
namespace {

// Indexed by protocol id.
constexpr std::array<std::string_view, 9> kProtocolNames = {
    "None",           "Pioneer",        "Pioneer(ZELNet)",
    "Netwick(Test)",  "Netwick(8-bit)", "Quorvane 8-bit",
    "Quorvane 9-bit", "MIDI",           "Custom",
};

}  // namespace

std::string ProtocolName(int32_t protocolId) {
    if (protocolId < 0 || static_cast<size_t>(protocolId) >= kProtocolNames.size()) return {};
    return std::string(kProtocolNames[static_cast<size_t>(protocolId)]);
}

}  // namespace zel
