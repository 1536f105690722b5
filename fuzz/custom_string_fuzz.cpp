// Feeds arbitrary text to the custom string parser, and checks that the input's bytes written as
// hexadecimal numbers parse back to exactly those bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "services/custom_string.h"

namespace {

void CheckParse(std::string_view input) {
    const zel::CustomStringResult result = zel::ParseCustomString(input);
    if (result.error != zel::CustomStringError::None) {
        zel::fuzz::Require(result.commandText.empty(), "a refused string keeps a command text");
        zel::fuzz::Require(!zel::CustomStringErrorMessage(result.error).empty(),
                           "an error without a message");
        return;
    }
    zel::fuzz::Require(
        zel::ExpandZeroMarkers(result.commandText).size() <= zel::kMaxCustomStringBytes,
        "a custom string longer than the limit was accepted");
}

void CheckHexRoundTrip(std::string_view input) {
    const std::string_view bytes = input.substr(0, zel::kMaxCustomStringBytes);
    std::string customString, commandText;
    for (char byte : bytes) {
        char number[5];
        std::snprintf(number, sizeof number, "h%02X ", static_cast<uint8_t>(byte));
        customString += number;
        // Bytes that spell the zero marker themselves go out as a byte 0, so the command text
        // is compared, not what it expands to.
        commandText += byte == 0 ? std::string(zel::kZeroMarker) : std::string(1, byte);
    }
    const zel::CustomStringResult result = zel::ParseCustomString(customString);
    if (bytes.empty()) return;
    zel::fuzz::Require(result.error == zel::CustomStringError::None, "hex bytes refused");
    zel::fuzz::Require(result.commandText == commandText, "hex bytes parsed to other bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckParse(input);
    CheckHexRoundTrip(input);
    return 0;
}
