#include "zelsim/channels.h"

#include "base/zelnet.h"
#include "zelsim/responder.h"

namespace zelsim {

namespace {

// How long a wait lasts before the stop request is looked at again.
constexpr int kStopCheckMs = 100;

std::string ReplyToDatagram(std::string_view bytes, bool zelnet) {
    if (!zelnet) return Responder().Feed(bytes);
    auto payload = zel::UnwrapZelnetFrame(bytes);
    if (!payload) return {};
    std::string reply = Responder().Feed(*payload);
    // A frame shorter than 8 bytes is not taken by the terminal, so the one-letter
    // acknowledgement is spelled out in ZELNet.
    if (reply == "R\r") reply = "OK\r";
    return reply.empty() ? reply : zel::BuildZelnetFrame(reply);
}

}  // namespace

void ServeUdp(zel::UdpEndpoint& endpoint, bool zelnet, Recorder& recorder,
              const std::atomic<bool>& stop) {
    while (!stop) {
        auto datagram = endpoint.Receive(kStopCheckMs);
        if (!datagram) continue;
        recorder.Record(datagram->bytes);
        std::string reply = ReplyToDatagram(datagram->bytes, zelnet);
        if (!reply.empty()) {
            endpoint.SendTo(reply, datagram->sender.address, datagram->sender.port);
        }
    }
}

void ServePty(zel::PseudoTerminal& pty, Recorder& recorder, const std::atomic<bool>& stop) {
    Responder responder;
    while (!stop) {
        std::string bytes = pty.Read(kStopCheckMs);
        if (bytes.empty()) continue;
        recorder.Record(bytes);
        std::string reply = responder.Feed(bytes);
        if (!reply.empty()) pty.Write(reply);
    }
}

}  // namespace zelsim
