#pragma once
// The custom string notation: quoted text with backslash escapes, h-prefixed hexadecimal and
// decimal numbers, each number standing for raw bytes.
#include <string>
#include <string_view>

#include "base/zero_marker.h"

namespace zel {

// The most bytes a custom string may produce (zero markers count as one byte each).
inline constexpr size_t kMaxCustomStringBytes = 1023;

enum class CustomStringError { None, NotFormatted, InvalidEscape, MissingQuotes, BadHex, TooLong };

struct CustomStringResult {
    CustomStringError error = CustomStringError::None;
    std::string commandText;  // valid when error is None
};

CustomStringResult ParseCustomString(std::string_view customString);

// The log line for an error, line end included.
std::string CustomStringErrorMessage(CustomStringError error);

// The body of the "Custom String Help" message box.
const std::string& CustomStringHelpText();

}  // namespace zel
