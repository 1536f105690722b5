#include "services/custom_string.h"

#include <array>
#include <cstdint>

namespace zel {
namespace {

enum class State { Between, Quoted, Escape, Hex };

constexpr std::string_view kSeparators = "\t ,.";

struct EscapeMapping {
    char letter;  // lower case; escapes are matched ignoring case
    uint8_t byte;
};
constexpr std::array kEscapes{
    EscapeMapping{'"', '"'}, EscapeMapping{'\\', '\\'}, EscapeMapping{'b', 7},
    EscapeMapping{'n', 10},  EscapeMapping{'r', 13},    EscapeMapping{'t', 9},
};

char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of c as a digit in the given base, or -1.
int DigitValue(char c, int base) {
    const char lower = ToLower(c);
    if (lower >= '0' && lower <= '9') return lower - '0';
    if (base == 16 && lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// Collects the command text; a byte 0 goes in as the zero marker but counts as one byte.
class CommandTextBuilder {
  public:
    bool AppendByte(uint8_t byte) {
        if (byteCount_ == kMaxCustomStringBytes) return false;
        ++byteCount_;
        if (byte == 0) {
            text_ += kZeroMarker;
        } else {
            text_ += static_cast<char>(byte);
        }
        return true;
    }

    // The bytes above the lowest go lowest first, then the lowest byte: big-endian up to two
    // bytes. A negative value keeps only its lowest byte.
    bool AppendNumber(int32_t value) {
        for (int32_t rest = value / 256; rest > 0; rest /= 256) {
            if (!AppendByte(static_cast<uint8_t>(rest))) return false;
        }
        return AppendByte(static_cast<uint8_t>(value));
    }

    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
    size_t byteCount_ = 0;
};

class CustomStringParser {
  public:
    explicit CustomStringParser(std::string_view input) : input_(input) {}

    CustomStringResult Run() {
        while (pos_ < input_.size()) {
            const CustomStringError error = Step();
            if (error != CustomStringError::None) return {error, {}};
        }
        return {CustomStringError::None, out_.Take()};
    }

  private:
    CustomStringError Step() {
        switch (state_) {
            case State::Between:
                return StepBetween();
            case State::Quoted:
                return StepQuoted();
            case State::Escape:
                return StepEscape();
            case State::Hex:
                return StepHex();
        }
        return CustomStringError::NotFormatted;
    }

    CustomStringError StepBetween() {
        const char c = input_[pos_];
        if (DigitValue(c, 10) >= 0) return ReadNumber(10);
        ++pos_;
        if (kSeparators.find(c) != std::string_view::npos) return CustomStringError::None;
        if (c == '"') {
            state_ = State::Quoted;
        } else if (ToLower(c) == 'h') {
            state_ = State::Hex;
        } else {
            return CustomStringError::NotFormatted;
        }
        return CustomStringError::None;
    }

    CustomStringError StepQuoted() {
        const char c = input_[pos_++];
        if (c == '"') {
            state_ = State::Between;
        } else if (c == '\\') {
            state_ = State::Escape;
        } else if (c == '\r' || c == '\n') {
            return CustomStringError::MissingQuotes;
        } else {
            return Append(static_cast<uint8_t>(c));
        }
        return CustomStringError::None;
    }

    CustomStringError StepEscape() {
        const char letter = ToLower(input_[pos_++]);
        for (const EscapeMapping& escape : kEscapes) {
            if (escape.letter == letter) {
                state_ = State::Quoted;
                return Append(escape.byte);
            }
        }
        return CustomStringError::InvalidEscape;
    }

    CustomStringError StepHex() {
        if (DigitValue(input_[pos_], 16) < 0) return CustomStringError::BadHex;
        return ReadNumber(16);
    }

    // Reads the longest run of digits with 32-bit wrapping arithmetic and emits the value.
    CustomStringError ReadNumber(int base) {
        uint32_t value = 0;
        while (pos_ < input_.size()) {
            const int digit = DigitValue(input_[pos_], base);
            if (digit < 0) break;
            value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
            ++pos_;
        }
        state_ = State::Between;
        return out_.AppendNumber(static_cast<int32_t>(value)) ? CustomStringError::None
                                                              : CustomStringError::TooLong;
    }

    CustomStringError Append(uint8_t byte) {
        return out_.AppendByte(byte) ? CustomStringError::None : CustomStringError::TooLong;
    }

    std::string_view input_;
    size_t pos_ = 0;
    State state_ = State::Between;
    CommandTextBuilder out_;
};

struct ErrorMessage {
    CustomStringError error;
    std::string_view text;
};
constexpr std::array kErrorMessages{
    ErrorMessage{CustomStringError::NotFormatted,
                 "ERROR: Custom String not Formatted properly.  Click the 'Help' Button for "
                 "assistance.\r\n"},
    ErrorMessage{CustomStringError::InvalidEscape,
                 "ERROR: Invalid Escape Sequence (\\).  Click the 'Help' Button for "
                 "assistance.\r\n"},
    ErrorMessage{CustomStringError::MissingQuotes,
                 "ERROR: Custom String is missing quotes.  Click the 'Help' Button for "
                 "assistance.\r\n"},
    ErrorMessage{CustomStringError::BadHex, "Error: Problem found in Hex Sequence\r\n"},
    ErrorMessage{CustomStringError::TooLong,
                 "ERROR: Custom String is too long (more than 1023 bytes).  Click the 'Help' "
                 "Button for assistance.\r\n"},
};

struct HelpLine {
    std::string_view text;
    bool blankLineAfter;
};
constexpr std::array kHelpLines{
    HelpLine{"How to Create a Custom String:", true},
    HelpLine{"When entering ASCII characters into your custom string, be sure", false},
    HelpLine{"to wrap them in quotes.  (ie. \"?V\" or \"11SE\")", true},
    HelpLine{"If you wish to enter in Hexadecimal values, simply precede", false},
    HelpLine{"the value with an 'h' or 'H'.", true},
    HelpLine{"Example of a typical Custom String:", false},
    HelpLine{"\"1SE\" h0D", true},
    HelpLine{"This example would be transmitted (in hexadecimal) as:", false},
    HelpLine{"0x31 0x53 0x45 0x0d", true},
    HelpLine{"If you wish to transmit a quote, simply precede", false},
    HelpLine{"the value with a '\\'.", true},
    HelpLine{"An Example of This is Searching a Filename:", false},
    HelpLine{"\"\\\"Filename.mpg\\\"SE\" h0D", true},
    HelpLine{"This example would be transmitted (hexadecimal shown in < >) as:", false},
    HelpLine{"\"Filename.mpg\"SE <0D>", false},
};

}  // namespace

CustomStringResult ParseCustomString(std::string_view customString) {
    return CustomStringParser(customString).Run();
}

std::string CustomStringErrorMessage(CustomStringError error) {
    for (const ErrorMessage& message : kErrorMessages) {
        if (message.error == error) return std::string(message.text);
    }
    return {};
}

const std::string& CustomStringHelpText() {
    static const std::string text = [] {
        std::string joined;
        for (const HelpLine& line : kHelpLines) {
            if (!joined.empty()) joined += "\r\n";
            joined += line.text;
            if (line.blankLineAfter) joined += "\r\n";
        }
        return joined;
    }();
    return text;
}

}  // namespace zel
