#include "flood/flood_traffic.h"

#include <array>
#include <cctype>

#include "base/zelnet.h"

namespace zel::test {
namespace {

constexpr std::string_view kWords = "quorvane zelterm flood line ";
constexpr size_t kLongestLineWithoutEnd = 300 * 1024;
constexpr char kFrameStartByte = static_cast<char>(0xF1);
constexpr char kFrameEndByte = static_cast<char>(0xF2);

char Letter(std::mt19937& random) {
    return static_cast<char>('a' + random() % 26);
}

void AppendTextLines(std::string& out, std::mt19937& random, size_t index) {
    const size_t lines = 1 + random() % 200;
    for (size_t line = 0; line < lines; ++line) {
        out += "block " + std::to_string(index) + " line " + std::to_string(line) + ": ";
        out += kWords.substr(0, random() % kWords.size());
        out += (random() % 2) ? "\r\n" : "\r";
    }
}

void AppendAllByteValues(std::string& out) {
    for (int byte = 0; byte < 256; ++byte) out += static_cast<char>(byte);
}

void AppendRandomBytes(std::string& out, std::mt19937& random) {
    const size_t count = random() % 4096;
    for (size_t i = 0; i < count; ++i) {
        char byte = static_cast<char>(random());
        out += byte == '<' ? '>' : byte;
    }
}

void AppendLineWithoutEnd(std::string& out, std::mt19937& random) {
    const size_t count = random() % kLongestLineWithoutEnd;
    for (size_t i = 0; i < count; ++i) out += Letter(random);
}

bool IsHexDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

}  // namespace

std::string SerialFloodBlock(size_t index) {
    std::mt19937 random(static_cast<unsigned>(index) * 7919u + 17u);
    std::string block;
    block.reserve(kSerialBlockBytes + kLongestLineWithoutEnd + 4096);
    while (block.size() < kSerialBlockBytes) {
        switch (random() % 8) {
            case 0:
                AppendLineWithoutEnd(block, random);
                break;
            case 1:
            case 2:
                AppendAllByteValues(block);
                break;
            case 3:
            case 4:
                AppendRandomBytes(block, random);
                break;
            default:
                AppendTextLines(block, random, index);
                break;
        }
    }
    block.resize(kSerialBlockBytes);
    return block;
}

std::string DecodeMixedLog(std::string_view shown) {
    std::string bytes;
    bytes.reserve(shown.size());
    for (size_t at = 0; at < shown.size(); ++at) {
        if (shown[at] == '<' && at + 3 < shown.size() && IsHexDigit(shown[at + 1]) &&
            IsHexDigit(shown[at + 2]) && shown[at + 3] == '>') {
            bytes += static_cast<char>(HexValue(shown[at + 1]) * 16 + HexValue(shown[at + 2]));
            at += 3;
        } else {
            bytes += shown[at];
        }
    }
    return bytes;
}

std::string DatagramMaker::RandomBytes(size_t count) {
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random_());
    // Frame-looking datagrams are the frames' business.
    if (!bytes.empty() && bytes.front() == kFrameStartByte) bytes.front() = 'x';
    return bytes;
}

std::string DatagramMaker::Frame(std::string_view word) {
    std::string payload = std::string(word) + " " + std::to_string(++counter_) + " ";
    const size_t letters = Below(64);
    for (size_t i = 0; i < letters; ++i) payload += Letter(random_);
    return BuildZelnetFrame(payload + "\r");
}

std::string DatagramMaker::Next() {
    switch (Below(8)) {
        case 0: {
            std::string frame = Frame(kBadChecksumWord);
            frame[frame.size() - 2] ^= 1;  // the checksum's last byte
            return frame;
        }
        case 1: {
            std::string frame = Frame(kCutFrameWord);
            frame.resize(1 + Below(frame.size() - 1));
            while (frame.back() == kFrameEndByte) frame.pop_back();
            return frame;
        }
        case 2:
        case 3:
            return Frame(kGoodFrameWord);
        default:
            return RandomBytes(Below(50) == 0 ? kMaxDatagramBytes + 1 + Below(64)
                                              : Below(kMaxDatagramBytes + 1));
    }
}

}  // namespace zel::test
