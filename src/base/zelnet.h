#pragma once
// The ZELNet datagram frame: F1 01 04 payload checksum F2.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

inline constexpr size_t kMaxDatagramBytes = 1024;       // plain datagrams, sent and received
inline constexpr size_t kMaxZelnetPayloadBytes = 1028;  // the frame buffer holds 1036 bytes

// One received datagram as handed to the window: data holds exactly byteCount bytes.
struct ReceivedDatagram {
    std::string data;
    std::string senderAddress;  // dotted IPv4
    uint32_t senderPort = 0;
    bool zelnet = false;  // the datagram was a ZELNet frame, unwrapped
    // Datagrams dropped just before this one because they came faster than the log took them.
    uint64_t droppedBefore = 0;
    bool onlyDropNotice = false;  // no datagram: only tells of the last ones dropped
};

// The frame around an already expanded payload (zero markers turned into bytes 0).
std::string BuildZelnetFrame(std::string_view payload);

// The payload of a received frame up to and including its first carriage return, or nothing
// when the frame is rejected (too short, wrong ends, bad checksum, no carriage return).
std::optional<std::string> UnwrapZelnetFrame(std::string_view datagram);

// What the socket hands over for one received datagram: nothing for an empty one or for a
// frame-looking datagram that fails unwrapping.
std::optional<ReceivedDatagram> AcceptDatagram(std::string_view bytes, std::string senderAddress,
                                               uint32_t senderPort, bool unwrapZelnet);

}  // namespace zel
