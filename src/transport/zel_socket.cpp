#include "transport/zel_socket.h"

#include <array>
#include <utility>

#include "base/zero_marker.h"

namespace zel {

CZelSocket::~CZelSocket() {
    Close();
}

bool CZelSocket::OpenPort(uint32_t localPort, bool unwrapZelnet, DatagramHandler onDatagram) {
    Close();
    if (!endpoint_.Bind("0.0.0.0", localPort, true)) return false;
    wait_ = std::make_unique<DatagramWait>();
    if (!wait_->Usable()) {
        wait_.reset();
        endpoint_.Close();
        return false;
    }
    delivery_->handler = std::move(onDatagram);
    receiver_ = std::thread(&CZelSocket::ReceiveLoop, this, unwrapZelnet);
    return true;
}

std::string CZelSocket::OpenFailure() const {
    switch (endpoint_.BindFailureKind()) {
        case BindFailure::PortInUse:
            return "is in use by another program";
        case BindFailure::NotPermitted:
            return "may not be used by this user";
        default:
            return "cannot be bound: " + endpoint_.BindErrorText();
    }
}

void CZelSocket::Close() {
    ++delivery_->generation;
    if (receiver_.joinable()) {
        wait_->Wake();
        receiver_.join();
    }
    {
        // What the closed port queued or dropped is not the next port's to hand over or tell.
        const std::lock_guard lock(delivery_->mutex);
        delivery_->queued.clear();
        delivery_->dropped = 0;
    }
    wait_.reset();
    endpoint_.Close();
}

void CZelSocket::ReceiveLoop(bool unwrapZelnet) {
    // One byte more than a datagram may hold, so that a longer one shows as truncated.
    std::array<char, kMaxDatagramBytes + 1> buffer;
    while (wait_->Wait(endpoint_)) {
        // An error condition is cleared by the read as well, so reading is always right here.
        auto read = endpoint_.ReadWaiting(buffer);
        if (!read || read->truncated || read->byteCount > kMaxDatagramBytes) continue;
        auto accepted =
            AcceptDatagram(std::string_view(buffer.data(), read->byteCount),
                           std::move(read->sender.address), read->sender.port, unwrapZelnet);
        if (accepted) Deliver(std::move(*accepted));
    }
}

void CZelSocket::Deliver(ReceivedDatagram datagram) {
    {
        const std::lock_guard lock(delivery_->mutex);
        if (delivery_->queued.size() + delivery_->inHand >= kMostDatagramsWaiting) {
            ++delivery_->dropped;
            return;
        }
        datagram.droppedBefore = std::exchange(delivery_->dropped, 0);
        delivery_->queued.push_back(std::move(datagram));
        if (std::exchange(delivery_->drainPosted, true)) return;
    }
    guiThread_.PostToGui([delivery = delivery_] { delivery->Drain(); });
}

void CZelSocket::Delivery::Drain() {
    std::vector<ReceivedDatagram> batch;
    {
        const std::lock_guard lock(mutex);
        batch.swap(queued);
        drainPosted = false;
        inHand = batch.size();
    }
    // The handler may close the socket: what is still in hand then goes nowhere.
    const uint64_t current = generation.load();
    for (const ReceivedDatagram& datagram : batch) {
        if (generation.load() != current || !handler) break;
        handler(datagram);
        const std::lock_guard lock(mutex);
        --inHand;
    }
    ReceivedDatagram notice;
    {
        const std::lock_guard lock(mutex);
        inHand = 0;
        // The last ones of a flood are told of once the window has caught up, as no datagram
        // may come after them to carry the count.
        if (!queued.empty() || generation.load() != current) return;
        notice.droppedBefore = std::exchange(dropped, 0);
    }
    if (notice.droppedBefore == 0 || !handler) return;
    notice.onlyDropNotice = true;
    handler(notice);
}

size_t CZelSocket::DatagramsWaiting() const {
    const std::lock_guard lock(delivery_->mutex);
    return delivery_->queued.size() + delivery_->inHand;
}

bool CZelSocket::SendText(std::string_view text, const std::string& host, uint32_t port) {
    std::string bytes = ExpandZeroMarkers(text);
    return bytes.size() <= kMaxDatagramBytes && endpoint_.SendTo(bytes, host, port);
}

bool CZelSocket::SendZelnetFrame(std::string_view text, const std::string& host, uint32_t port) {
    std::string payload = ExpandZeroMarkers(text);
    return payload.size() <= kMaxZelnetPayloadBytes &&
           endpoint_.SendTo(BuildZelnetFrame(payload), host, port);
}

}  // namespace zel
