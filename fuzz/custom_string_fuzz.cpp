// Feeds arbitrary bytes to the custom string parser and the ZELNet unwrapper, and checks that a
// frame built around a well-formed payload unwraps back to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "terminal/custom_string.h"
#include "terminal/zelnet.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckParse(std::string_view input) {
    const zel::CustomStringResult result = zel::ParseCustomString(input);
    if (result.error != zel::CustomStringError::None) {
        Require(result.commandText.empty());
        Require(!zel::CustomStringErrorMessage(result.error).empty());
        return;
    }
    Require(zel::ExpandZeroMarkers(result.commandText).size() <= zel::kMaxCustomStringBytes);
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
        Require(unwrapped == payload);
    } else {
        Require(!unwrapped);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckParse(input);
    if (const std::optional<std::string> unwrapped = zel::UnwrapZelnetFrame(input)) {
        Require(!unwrapped->empty() && unwrapped->back() == '\r');
    }
    CheckRoundTrip(input);
    return 0;
}
