#include "transport/zel_socket.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "base/zero_marker.h"

namespace zel {

CZelSocket::~CZelSocket() {
    Close();
}

bool CZelSocket::OpenPort(uint32_t localPort, bool unwrapZelnet, DatagramHandler onDatagram) {
    Close();
    if (!endpoint_.Bind("0.0.0.0", localPort, true)) return false;
    wakeFd_ = eventfd(0, EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        endpoint_.Close();
        return false;
    }
    delivery_->handler = std::move(onDatagram);
    receiver_ =
        std::thread(&CZelSocket::ReceiveLoop, this, delivery_->generation.load(), unwrapZelnet);
    return true;
}

std::string CZelSocket::OpenFailure() const {
    switch (int error = endpoint_.BindError()) {
        case EADDRINUSE:
            return "is in use by another program";
        case EACCES:
            return "may not be used by this user";
        default:
            return std::string("cannot be bound: ") + std::strerror(error);
    }
}

void CZelSocket::Close() {
    ++delivery_->generation;
    if (receiver_.joinable()) {
        uint64_t one = 1;
        while (write(wakeFd_, &one, sizeof one) < 0 && errno == EINTR) {
        }
        receiver_.join();
    }
    delivery_->dropped = 0;  // what the closed port dropped is not the next port's to tell
    if (wakeFd_ >= 0) close(wakeFd_);
    wakeFd_ = -1;
    endpoint_.Close();
}

void CZelSocket::ReceiveLoop(uint64_t generation, bool unwrapZelnet) {
    // One byte more than a datagram may hold, so that a longer one shows as truncated.
    std::array<char, kMaxDatagramBytes + 1> buffer;
    for (;;) {
        std::array<pollfd, 2> waiting{{{endpoint_.Fd(), POLLIN, 0}, {wakeFd_, POLLIN, 0}}};
        if (poll(waiting.data(), waiting.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (waiting[1].revents != 0) return;
        // An error condition is cleared by the read as well, so reading is always right here.
        auto read = endpoint_.ReadWaiting(buffer);
        if (!read || read->truncated || read->byteCount > kMaxDatagramBytes) continue;
        auto accepted =
            AcceptDatagram(std::string_view(buffer.data(), read->byteCount),
                           std::move(read->sender.address), read->sender.port, unwrapZelnet);
        if (accepted) Deliver(generation, std::move(*accepted));
    }
}

void CZelSocket::Deliver(uint64_t generation, ReceivedDatagram datagram) {
    if (delivery_->waiting.load() >= kMostDatagramsWaiting) {
        ++delivery_->dropped;
        return;
    }
    ++delivery_->waiting;
    datagram.droppedBefore = delivery_->dropped.exchange(0);
    guiThread_.PostToGui([delivery = delivery_, generation, datagram = std::move(datagram)] {
        const bool current = delivery->generation.load() == generation && delivery->handler;
        if (current) delivery->handler(datagram);
        // The last ones of a flood are told of once the window has caught up, as no datagram
        // may come after them to carry the count.
        if (--delivery->waiting == 0 && current) {
            if (uint64_t dropped = delivery->dropped.exchange(0)) {
                ReceivedDatagram notice;
                notice.droppedBefore = dropped;
                notice.onlyDropNotice = true;
                delivery->handler(notice);
            }
        }
    });
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
