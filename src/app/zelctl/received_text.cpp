#include "app/zelctl/received_text.h"

namespace zel::ctl {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool Printable(char byte) {
    return byte >= 0x20 && byte < 0x7F;
}

}  // namespace

std::regex ExtendedPattern(const std::string& pattern) {
    return std::regex(pattern, std::regex::extended);
}

std::string PatternError(const std::string& pattern) {
    try {
        ExtendedPattern(pattern);
        return {};
    } catch (const std::regex_error& error) {
        return "'" + pattern + "' is not an extended regular expression: " + error.what();
    }
}

std::string ReadableText(std::string_view bytes) {
    std::string text;
    for (char byte : bytes) {
        if (Printable(byte)) {
            text += byte;
        } else {
            auto code = static_cast<unsigned char>(byte);
            text += "\\x";
            text += kHexDigits[code >> 4];
            text += kHexDigits[code & 15];
        }
    }
    return text;
}

void ReceivedText::Append(std::string_view bytes) {
    bytes_ += bytes;
    if (bytes_.size() > kKeptBytes) bytes_.erase(0, bytes_.size() - kKeptBytes);
    ++arrivals_;
}

std::optional<std::string> ReceivedText::Take(const std::regex& pattern) {
    const std::string text = ReadableText(bytes_);
    std::smatch match;
    if (!std::regex_search(text, match, pattern)) return std::nullopt;
    // The bytes whose text the match ends in, a \xHH it ends inside included.
    const size_t end = static_cast<size_t>(match.position(0) + match.length(0));
    size_t byte = 0;
    for (size_t width = 0; byte < bytes_.size() && width < end; ++byte) {
        width += Printable(bytes_[byte]) ? 1 : 4;
    }
    bytes_.erase(0, byte);
    return match.str(0);
}

}  // namespace zel::ctl
