#pragma once
// The terminal's Ethernet transport. A receiver thread reads the datagrams and queues a copy
// of each accepted one for the GUI thread, where one posted job hands everything queued to the
// handler: a burst costs one wake-up of the window, not one per datagram. While
// kMostDatagramsWaiting wait for the GUI thread, further datagrams are dropped as a full socket
// buffer drops them: a flood faster than the window costs bounded memory and cannot bury the
// window's own events.
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

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

    // Datagrams read and waiting for the GUI thread.
    size_t DatagramsWaiting() const;

    // The bound port; useful when OpenPort was given 0.
    uint32_t LocalPort() const { return endpoint_.LocalPort(); }

  private:
    // Shared with the work posted to the GUI thread, which may outlive the socket.
    struct Delivery {
        // Hands the queued datagrams to the handler, then tells of the last ones dropped.
        void Drain();

        std::atomic<uint64_t> generation{0};  // moves on at every close
        std::mutex mutex;
        std::vector<ReceivedDatagram> queued;  // guarded by mutex
        bool drainPosted = false;              // guarded by mutex
        size_t inHand = 0;        // guarded by mutex: taken off the queue, not yet handled
        uint64_t dropped = 0;     // guarded by mutex: not queued, not yet told of
        DatagramHandler handler;  // touched on the GUI thread only
    };

    void ReceiveLoop(bool unwrapZelnet);
    void Deliver(ReceivedDatagram datagram);

    IGuiThread& guiThread_;
    UdpEndpoint endpoint_;
    std::unique_ptr<DatagramWait> wait_;  // while the receiver runs
    std::thread receiver_;
    std::shared_ptr<Delivery> delivery_ = std::make_shared<Delivery>();
};

}  // namespace zel
