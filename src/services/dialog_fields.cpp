#include "services/dialog_fields.h"

#include <charconv>
#include <limits>

namespace zel {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const char* kBlanks = " \t";
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Digits only, all of them consumed, within 64 bits.
std::optional<uint64_t> ParseDigits(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string IntegerRangeMessage(int low, int high) {
    return "Please enter an integer between " + std::to_string(low) + " and " +
           std::to_string(high) + ".";
}

std::optional<int32_t> ParseIntegerField(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    std::optional<uint64_t> magnitude = ParseDigits(text);
    if (!magnitude) return std::nullopt;
    const uint64_t limit = negative ? uint64_t{1} << 31 : std::numeric_limits<int32_t>::max();
    if (*magnitude > limit) return std::nullopt;
    int64_t value = negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude);
    return static_cast<int32_t>(value);
}

std::optional<uint32_t> ParseUnsignedField(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::optional<uint64_t> value = ParseDigits(text);
    if (!value || *value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(*value);
}

std::optional<uint32_t> ParseDottedAddress(std::string_view text) {
    uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        size_t dot = text.find('.');
        bool last = part == 3;
        if (last != (dot == std::string_view::npos)) return std::nullopt;
        std::string_view piece = text.substr(0, dot);
        std::optional<uint64_t> value = piece.size() > 3 ? std::nullopt : ParseDigits(piece);
        if (!value || *value > 255) return std::nullopt;
        address = (address << 8) | static_cast<uint32_t>(*value);
        if (!last) text.remove_prefix(dot + 1);
    }
    return address;
}

std::string DottedAddress(uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty()) text += '.';
        text += std::to_string((address >> shift) & 0xFF);
    }
    return text;
}

void ShowFieldMessage(IWindowSystem& window, const std::string& message) {
    window.MessageBox(message, "ZelTerm", MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace zel
