#include "services/framing.h"

namespace zel {

namespace {
constexpr char kEightBitStart = '\xF5';
}  // namespace

std::string FrameCommand(std::string_view text, bool appendCR, bool sendUnitAddress,
                         int unitAddress) {
    // An empty text is never sent, so it gets no prefix or line end that would go out alone.
    if (text.empty()) return {};
    std::string framed;
    if (sendUnitAddress) framed = std::to_string(unitAddress) + '@';
    framed += text;
    if (appendCR) framed += kCarriageReturn;
    return framed;
}

std::string BuildEightBitPacket(std::string_view payload, uint8_t control) {
    const auto length = static_cast<uint8_t>(payload.size());
    std::string packet{kEightBitStart, '\0', static_cast<char>(control), static_cast<char>(length)};
    packet += payload;
    uint8_t checksum = length + control;
    for (char byte : payload) checksum += static_cast<uint8_t>(byte);
    packet += static_cast<char>(checksum);
    return packet;
}

}  // namespace zel
