#include "transport/udp_endpoint.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zel {

namespace {

constexpr uint32_t kHighestPort = 65535;
constexpr size_t kLargestUdpPayload = 65507;

std::optional<sockaddr_in> ResolveIpv4(const std::string& host, uint32_t port) {
    if (port > kHighestPort) return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1) return address;

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) {
        return std::nullopt;
    }
    address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return address;
}

UdpPeer PeerOf(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return {text, ntohs(address.sin_port)};
}

}  // namespace

UdpEndpoint::~UdpEndpoint() {
    Close();
}

bool UdpEndpoint::Bind(const std::string& address, uint32_t port, bool broadcast) {
    Close();
    bindError_ = EINVAL;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(port));
    if (port > kHighestPort || inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
        return false;
    }
    socket_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        bindError_ = errno;
        return false;
    }
    int on = 1;
    bool ready =
        (!broadcast || setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0) &&
        bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
    bindError_ = ready ? 0 : errno;
    if (!ready) Close();
    return ready;
}

void UdpEndpoint::Close() {
    if (socket_ >= 0) close(socket_);
    socket_ = kNoUdpSocket;
}

BindFailure UdpEndpoint::BindFailureKind() const {
    switch (bindError_) {
        case 0:
            return BindFailure::None;
        case EADDRINUSE:
            return BindFailure::PortInUse;
        case EACCES:
            return BindFailure::NotPermitted;
        default:
            return BindFailure::Other;
    }
}

std::string UdpEndpoint::BindErrorText() const {
    return std::strerror(bindError_);
}

uint32_t UdpEndpoint::LocalPort() const {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (socket_ < 0 || getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

std::optional<UdpRead> UdpEndpoint::ReadWaiting(std::span<char> buffer) {
    sockaddr_in sender{};
    iovec part{buffer.data(), buffer.size()};
    msghdr message{};
    message.msg_name = &sender;
    message.msg_namelen = sizeof sender;
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    ssize_t count;
    do {
        count = recvmsg(socket_, &message, MSG_DONTWAIT);
    } while (count < 0 && errno == EINTR);
    if (count < 0) return std::nullopt;
    return UdpRead{static_cast<size_t>(count), (message.msg_flags & MSG_TRUNC) != 0,
                   PeerOf(sender)};
}

std::optional<UdpDatagram> UdpEndpoint::Receive(int timeoutMs) {
    pollfd waiting{socket_, POLLIN, 0};
    if (socket_ < 0 || poll(&waiting, 1, timeoutMs) <= 0) return std::nullopt;
    std::string bytes(kLargestUdpPayload, '\0');
    auto read = ReadWaiting(bytes);
    if (!read) return std::nullopt;
    bytes.resize(read->byteCount);
    return UdpDatagram{std::move(bytes), std::move(read->sender)};
}

bool UdpEndpoint::SendTo(std::string_view bytes, const std::string& host, uint32_t port) {
    auto destination = ResolveIpv4(host, port);
    if (socket_ < 0 || !destination) return false;
    ssize_t sent;
    do {
        sent = sendto(socket_, bytes.data(), bytes.size(), 0,
                      reinterpret_cast<const sockaddr*>(&*destination), sizeof *destination);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(bytes.size());
}

DatagramWait::DatagramWait() : wake_(eventfd(0, EFD_CLOEXEC)) {}

DatagramWait::~DatagramWait() {
    if (wake_ >= 0) close(wake_);
}

bool DatagramWait::Usable() const {
    return wake_ >= 0;
}

bool DatagramWait::Wait(const UdpEndpoint& endpoint) {
    for (;;) {
        pollfd waiting[2] = {{endpoint.Socket(), POLLIN, 0}, {wake_, POLLIN, 0}};
        if (poll(waiting, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        return waiting[1].revents == 0;
    }
}

void DatagramWait::Wake() {
    uint64_t one = 1;
    while (write(wake_, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

}  // namespace zel
