#pragma once
// The settings dialogs' number fields: how typed text becomes a value, the words used when it
// cannot, and the dotted form of the IP address control.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "services/window_system.h"

namespace zel {

inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterPositiveInteger = "Please enter a positive integer.";

// "Please enter an integer between 0 and 127."
std::string IntegerRangeMessage(int low, int high);

// Optional blanks around an optional sign and decimal digits; nothing else, and nothing that
// does not fit 32 bits.
std::optional<int32_t> ParseIntegerField(std::string_view text);
// The same without a minus sign.
std::optional<uint32_t> ParseUnsignedField(std::string_view text);

// Four decimal numbers 0-255 separated by dots, the first one in the high byte.
std::optional<uint32_t> ParseDottedAddress(std::string_view text);
std::string DottedAddress(uint32_t address);

// A field that was refused: the message goes to a message box, the edit gets the focus.
void ShowFieldMessage(IWindowSystem& window, const std::string& message);

}  // namespace zel
