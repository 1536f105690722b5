#pragma once
// The simulator's two ways in: each serves until stop turns true.
#include <atomic>
#include <string>

#include "transport/udp_endpoint.h"
#include "zelsim/recorder.h"
#include "zelsim/responder.h"

namespace zelsim {

// Answers each datagram on its own, to the sender's address and port.
void ServeUdp(zel::UdpEndpoint& endpoint, bool zelnet, Recorder& recorder,
              const std::atomic<bool>& stop);

// How long a wait lasts before the stop request is looked at again.
inline constexpr int kStopCheckMs = 100;

// Answers a serial byte stream: the pseudo-terminal's master side, or an existing serial port.
template <typename Stream>
void ServeStream(Stream& stream, Recorder& recorder, const std::atomic<bool>& stop) {
    Responder responder;
    while (!stop) {
        std::string bytes = stream.Read(kStopCheckMs);
        if (bytes.empty()) continue;
        recorder.Record(bytes);
        std::string reply = responder.Feed(bytes);
        if (!reply.empty()) stream.Write(reply);
    }
}

}  // namespace zelsim
