#pragma once
// The Ethernet transport: one UDP socket bound to the local port.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/zelnet.h"

namespace zel {

class IUdpSocket {
  public:
    // Runs on the GUI thread, once per datagram, with that datagram's own copy.
    using DatagramHandler = std::function<void(const ReceivedDatagram&)>;

    virtual ~IUdpSocket() = default;

    // Binds on all interfaces with broadcast on; false when the port cannot be bound.
    virtual bool OpenPort(uint32_t localPort, bool unwrapZelnet, DatagramHandler onDatagram) = 0;
    // Why the last OpenPort failed, in words that follow "local UDP port N".
    virtual std::string OpenFailure() const { return "cannot be bound"; }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // The text's zero markers go out as bytes 0.
    virtual bool SendText(std::string_view text, const std::string& host, uint32_t port) = 0;
    virtual bool SendZelnetFrame(std::string_view text, const std::string& host, uint32_t port) = 0;
};

}  // namespace zel
