#pragma once
// What the device sent, as expect reads it: printable ASCII as it is, every other byte as \xHH
// (upper-case hexadecimal), searched with extended regular expressions. A match takes the text
// up to its end, so the next expect sees only what came after.
#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

namespace zel::ctl {

// The pattern as an extended regular expression; the error text, or empty, when it is none.
std::regex ExtendedPattern(const std::string& pattern);
std::string PatternError(const std::string& pattern);

// The bytes as expect reads them.
std::string ReadableText(std::string_view bytes);

class ReceivedText {
  public:
    // Only the newest bytes are kept. The standard library's matcher goes one call deeper for
    // each character a repetition takes, so a long text would overflow the stack; this many
    // bytes (at most four times as many characters) stay far inside it.
    static constexpr size_t kKeptBytes = 512;

    void Append(std::string_view bytes);
    // The matched text, after taking the text up to the match's end; nothing without a match.
    std::optional<std::string> Take(const std::regex& pattern);
    // Forgets what came: it was another product's.
    void Clear() { bytes_.clear(); }
    // What came since the last match, as expect reads it.
    std::string Text() const { return ReadableText(bytes_); }
    // Counts the appends, so a waiting expect searches again only when something came.
    uint64_t Arrivals() const { return arrivals_; }

  private:
    std::string bytes_;
    uint64_t arrivals_ = 0;
};

}  // namespace zel::ctl
