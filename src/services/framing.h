#pragma once
// Terminal-level framing of command texts, and the binary 8-bit packet.
#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

inline constexpr char kCarriageReturn = '\r';

// "%d@" before the text when the unit address is sent; the carriage return after it when asked.
std::string FrameCommand(std::string_view text, bool appendCR, bool sendUnitAddress,
                         int unitAddress);

// F5 00 control length payload checksum; the result holds real zero bytes.
std::string BuildEightBitPacket(std::string_view payload, uint8_t control);

}  // namespace zel
