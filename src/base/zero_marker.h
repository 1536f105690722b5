#pragma once
// A byte 0 cannot live in the command texts the terminal passes around as C-style strings, so it
// travels inside them as a marker that the transports write as one byte 0.
#include <string>
#include <string_view>

namespace zel {

inline constexpr std::string_view kZeroMarker = "\\zero";

// The command text with every zero marker turned into one byte 0.
std::string ExpandZeroMarkers(std::string_view commandText);

}  // namespace zel
