#pragma once
// The custom string notation: quoted text with backslash escapes, h-prefixed hexadecimal and
// decimal numbers, each number standing for raw bytes.
#include <string>
#include <string_view>

namespace zel {

// A byte 0 travels inside command texts as these five characters; the serial and UDP
// transports write it as one byte 0.
inline constexpr std::string_view kZeroMarker = "\\zero";

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

// The command text with every zero marker turned into one byte 0.
std::string ExpandZeroMarkers(std::string_view commandText);

}  // namespace zel
