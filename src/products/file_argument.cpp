#include "products/file_argument.h"

#include <algorithm>

namespace zel {

namespace {

constexpr size_t kMaxFileNumberDigits = 5;

// Bytes 128-255 are not digits either: they belong to file names.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Refuse(IWindowSystem& window) {
    window.MessageBox("Enter file name or number(0-99999)", "ZelTerm", MessageButtons::OkCancel,
                      MessageIcon::Warning);
    return {};
}

}  // namespace

std::string NormalizeFileArgument(std::string_view boxText, IWindowSystem& window) {
    if (boxText.empty()) return Refuse(window);
    if (!std::ranges::all_of(boxText, IsDigit)) return "\"" + std::string(boxText) + "\"";
    if (boxText.size() > kMaxFileNumberDigits) return Refuse(window);
    return std::string(boxText);
}

}  // namespace zel
