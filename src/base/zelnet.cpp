#include "base/zelnet.h"

#include <algorithm>
#include <array>

namespace zel {
namespace {

constexpr uint8_t kFrameStart = 0xF1;
constexpr uint8_t kFrameEnd = 0xF2;
constexpr std::array<uint8_t, 2> kHeader{0x01, 0x04};
constexpr size_t kMinFrameBytes = 8;

// Sums of 250 and more follow a marker byte that tells their width, high byte first.
struct LongChecksumForm {
    uint32_t atLeast;
    uint8_t marker;
    int byteCount;
};
constexpr std::array kLongChecksumForms{
    LongChecksumForm{0x10000, 0xFE, 3},
    LongChecksumForm{250, 0xFF, 2},
};

const LongChecksumForm* FormWithMarker(uint8_t marker) {
    for (const LongChecksumForm& form : kLongChecksumForms) {
        if (form.marker == marker) return &form;
    }
    return nullptr;
}

uint8_t ByteAt(std::string_view bytes, size_t pos) {
    // Past the end the receive buffer holds its terminating zero.
    return pos < bytes.size() ? static_cast<uint8_t>(bytes[pos]) : 0;
}

int32_t SignedValue(char byte) {
    return static_cast<int8_t>(byte);
}

void AppendChecksum(std::string& frame, uint32_t sum) {
    for (const LongChecksumForm& form : kLongChecksumForms) {
        if (sum >= form.atLeast) {
            frame += static_cast<char>(form.marker);
            for (int shift = 8 * (form.byteCount - 1); shift >= 0; shift -= 8) {
                frame += static_cast<char>(sum >> shift);
            }
            return;
        }
    }
    frame += static_cast<char>(sum);
}

// The walk stops at the first checksum marker, so a payload byte 0xFE or 0xFF is taken for the
// start of the checksum. The four-byte form carries only the low 24 bits of the signed sum
// (every negative sum is sent in it), so only those bits are compared there.
bool ChecksumMatches(std::string_view frame) {
    int64_t sum = 0;
    int64_t expected = 0;
    int64_t comparedBits = -1;
    const size_t lastBeforeEnd = frame.size() - 2;
    for (size_t pos = 1; pos <= lastBeforeEnd; ++pos) {
        const uint8_t byte = ByteAt(frame, pos);
        if (const LongChecksumForm* form = FormWithMarker(byte)) {
            for (int i = 1; i <= form->byteCount; ++i) {
                expected = (expected << 8) | ByteAt(frame, pos + static_cast<size_t>(i));
            }
            if (form->atLeast == 0x10000) comparedBits = 0xFFFFFF;
            break;
        }
        if (pos == lastBeforeEnd) {
            expected = byte;
            break;
        }
        sum += static_cast<int8_t>(byte);
    }
    return (sum & comparedBits) == expected;
}

bool LooksLikeFrame(std::string_view bytes) {
    return !bytes.empty() && ByteAt(bytes, 0) == kFrameStart &&
           ByteAt(bytes, bytes.size() - 1) == kFrameEnd;
}

}  // namespace

std::string BuildZelnetFrame(std::string_view payload) {
    std::string frame{static_cast<char>(kFrameStart)};
    for (uint8_t byte : kHeader) frame += static_cast<char>(byte);
    frame += payload;
    int32_t sum = 0;
    for (size_t pos = 1; pos < frame.size(); ++pos) sum += SignedValue(frame[pos]);
    AppendChecksum(frame, static_cast<uint32_t>(sum));
    frame += static_cast<char>(kFrameEnd);
    return frame;
}

std::optional<std::string> UnwrapZelnetFrame(std::string_view datagram) {
    if (datagram.size() < kMinFrameBytes || !LooksLikeFrame(datagram)) return std::nullopt;
    if (!ChecksumMatches(datagram)) return std::nullopt;
    // The payload is read as text: it ends at the first byte 0 and is kept through its first
    // carriage return, which drops the checksum and end byte.
    std::string_view text = datagram.substr(0, datagram.find('\0'));
    text.remove_prefix(std::min(text.size(), kHeader.size() + 1));
    const size_t lineEnd = text.find('\r');
    if (lineEnd == std::string_view::npos) return std::nullopt;
    return std::string(text.substr(0, lineEnd + 1));
}

std::optional<ReceivedDatagram> AcceptDatagram(std::string_view bytes, std::string senderAddress,
                                               uint32_t senderPort, bool unwrapZelnet) {
    // A datagram too long for the receive buffer is dropped like a failed read.
    if (bytes.empty() || bytes.size() > kMaxDatagramBytes) return std::nullopt;
    ReceivedDatagram received{std::string(bytes), std::move(senderAddress), senderPort, false};
    if (unwrapZelnet && LooksLikeFrame(bytes)) {
        std::optional<std::string> payload = UnwrapZelnetFrame(bytes);
        if (!payload) return std::nullopt;
        received.data = std::move(*payload);
        received.zelnet = true;
    }
    return received;
}

}  // namespace zel
