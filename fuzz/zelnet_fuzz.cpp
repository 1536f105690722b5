// Feeds arbitrary datagrams to the ZELNet unwrapping as the socket hands them over, and checks
// that a frame built around a well-formed payload unwraps back to it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/zelnet.h"
#include "fuzz_check.h"

namespace {

using zel::fuzz::Require;

void CheckUnwrap(std::string_view datagram) {
    const std::optional<std::string> payload = zel::UnwrapZelnetFrame(datagram);
    if (!payload) return;
    Require(!payload->empty() && payload->back() == '\r', "a payload not ended by its CR");
    Require(payload->find('\r') == payload->size() - 1, "a payload past its first CR");
    Require(payload->find('\0') == std::string::npos, "a payload past a byte 0");
    Require(datagram.substr(3, payload->size()) == *payload,
            "a payload that is not the frame's text");
}

void CheckAccept(std::string_view datagram, bool unwrap) {
    const auto received = zel::AcceptDatagram(datagram, "127.0.0.1", 2638, unwrap);
    if (!received) return;
    Require(!received->data.empty() && received->data.size() <= zel::kMaxDatagramBytes,
            "a datagram of no or too many bytes handed over");
    Require(received->zelnet == (received->data != datagram), "unwrapped flag and data disagree");
    if (!unwrap) Require(received->data == datagram, "a plain datagram changed");
}

// Bytes 0, 0xFE and 0xFF cannot travel inside a payload, and a carriage return ends it.
std::string PayloadFrom(std::string_view input) {
    std::string payload;
    for (char byte : input) {
        const auto value = static_cast<uint8_t>(byte);
        if (value != 0 && value != 0xFE && value != 0xFF && byte != '\r') payload += byte;
    }
    return payload + '\r';
}

void CheckRoundTrip(std::string_view input) {
    const std::string payload = PayloadFrom(input.substr(0, zel::kMaxZelnetPayloadBytes - 1));
    const std::string frame = zel::BuildZelnetFrame(payload);
    const std::optional<std::string> unwrapped = zel::UnwrapZelnetFrame(frame);
    // Frames shorter than 8 bytes are refused on receipt.
    if (frame.size() >= 8) {
        Require(unwrapped == payload, "a built frame does not unwrap to its payload");
    } else {
        Require(!unwrapped, "a frame under 8 bytes accepted");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckUnwrap(input);
    CheckAccept(input, true);
    CheckAccept(input, false);
    CheckRoundTrip(input);
    return 0;
}
