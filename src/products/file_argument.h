#pragma once
// The "file name or number" boxes of the player pages: how their text becomes the argument in
// front of a file command.
#include <string>
#include <string_view>

#include "services/window_system.h"

namespace zel {

// Up to five digits go out as typed, any other text in double quotes. An empty box or a number
// of six or more digits is refused with a message; the result is then empty and nothing should
// be sent.
std::string NormalizeFileArgument(std::string_view boxText, IWindowSystem& window);

}  // namespace zel
