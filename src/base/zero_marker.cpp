#include "base/zero_marker.h"

namespace zel {

std::string ExpandZeroMarkers(std::string_view commandText) {
    std::string bytes;
    bytes.reserve(commandText.size());
    for (size_t pos = 0; pos < commandText.size();) {
        if (commandText.substr(pos, kZeroMarker.size()) == kZeroMarker) {
            bytes += '\0';
            pos += kZeroMarker.size();
        } else {
            bytes += commandText[pos++];
        }
    }
    return bytes;
}

}  // namespace zel
