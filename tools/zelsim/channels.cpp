#include "zelsim/channels.h"

#include "base/zelnet.h"

namespace zelsim {

namespace {

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

}  // namespace zelsim
