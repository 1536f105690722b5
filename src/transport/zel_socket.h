#pragma once
// The terminal's Ethernet transport. A receiver thread reads the datagrams and posts a copy of
// each accepted one to the GUI thread, where the handler runs. While the GUI thread is
// kMostDatagramsWaiting behind, further datagrams are dropped as a full socket buffer drops
// them: a flood faster than the window costs bounded memory and cannot bury the window's own
// events.
#include <atomic>
#include <memory>
#include <thread>

#include "base/gui_thread.h"
#include "transport/udp_endpoint.h"
#include "transport/udp_socket.h"

namespace zel {

class CZelSocket : public IUdpSocket {
  public:
    static constexpr size_t kMostDatagramsWaiting = 4096;

    explicit CZelSocket(IGuiThread& guiThread) : guiThread_(guiThread) {}
    ~CZelSocket() override;
    CZelSocket(const CZelSocket&) = delete;
    CZelSocket& operator=(const CZelSocket&) = delete;

    bool OpenPort(uint32_t localPort, bool unwrapZelnet, DatagramHandler onDatagram) override;
    std::string OpenFailure() const override;
    // Call on the GUI thread: nothing is delivered once it returns.
    void Close() override;
    bool IsOpen() const override { return endpoint_.IsOpen(); }

    bool SendText(std::string_view text, const std::string& host, uint32_t port) override;
    bool SendZelnetFrame(std::string_view text, const std::string& host, uint32_t port) override;

    // The bound port; useful when OpenPort was given 0.
    uint32_t LocalPort() const { return endpoint_.LocalPort(); }

  private:
    // Shared with the work posted to the GUI thread, which may outlive the socket.
    struct Delivery {
        std::atomic<uint64_t> generation{0};  // moves on at every close
        std::atomic<size_t> waiting{0};       // posted, not yet handled
        std::atomic<uint64_t> dropped{0};     // not posted, not yet told of
        DatagramHandler handler;              // touched on the GUI thread only
    };

    void ReceiveLoop(uint64_t generation, bool unwrapZelnet);
    void Deliver(uint64_t generation, ReceivedDatagram datagram);

    IGuiThread& guiThread_;
    UdpEndpoint endpoint_;
    int wakeFd_ = -1;
    std::thread receiver_;
    std::shared_ptr<Delivery> delivery_ = std::make_shared<Delivery>();
};

}  // namespace zel
