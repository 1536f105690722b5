// The UDP endpoint over Winsock 2.
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include "transport/udp_endpoint.h"
#include "transport/windows/win_handles.h"

namespace zel {

namespace {

constexpr uint32_t kHighestPort = 65535;
// The socket control that stops a port-unreachable answer to a send from failing the next
// receive (mstcpip.h; mingw-w64 does not declare it).
constexpr DWORD kUdpConnectionReset = IOC_IN | IOC_VENDOR | 12;
constexpr size_t kLargestUdpPayload = 65507;

// Winsock is started once for the process and left running until it ends.
bool WinsockStarted() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

std::optional<sockaddr_in> ResolveIpv4(const std::string& host, uint32_t port) {
    if (port > kHighestPort || !WinsockStarted()) return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
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
    bindError_ = WSAEINVAL;
    if (!WinsockStarted()) return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<u_short>(port));
    if (port > kHighestPort || inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
        return false;
    }
    SOCKET made =
        WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (made == INVALID_SOCKET) {
        bindError_ = WSAGetLastError();
        return false;
    }
    socket_ = made;
    BOOL on = TRUE;
    // Exclusive, so that no other program can bind the port over ours and take its datagrams.
    bool ready = setsockopt(made, SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                            reinterpret_cast<const char*>(&on), sizeof on) == 0 &&
                 (!broadcast || setsockopt(made, SOL_SOCKET, SO_BROADCAST,
                                           reinterpret_cast<const char*>(&on), sizeof on) == 0) &&
                 bind(made, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
    bindError_ = ready ? 0 : WSAGetLastError();
    if (!ready) {
        Close();
        return false;
    }
    // Datagram sockets have no connection to reset: a product that is off must not look like a
    // failing socket.
    BOOL report = FALSE;
    DWORD ignored = 0;
    WSAIoctl(made, kUdpConnectionReset, &report, sizeof report, nullptr, 0, &ignored, nullptr,
             nullptr);
    return true;
}

void UdpEndpoint::Close() {
    if (socket_ != kNoUdpSocket) closesocket(socket_);
    socket_ = kNoUdpSocket;
}

BindFailure UdpEndpoint::BindFailureKind() const {
    switch (bindError_) {
        case 0:
            return BindFailure::None;
        case WSAEADDRINUSE:
            return BindFailure::PortInUse;
        case WSAEACCES:
            return BindFailure::NotPermitted;
        default:
            return BindFailure::Other;
    }
}

std::string UdpEndpoint::BindErrorText() const {
    return win::SystemMessage(DWORD(bindError_));
}

uint32_t UdpEndpoint::LocalPort() const {
    sockaddr_in local{};
    int length = sizeof local;
    if (!IsOpen() || getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

std::optional<UdpRead> UdpEndpoint::ReadWaiting(std::span<char> buffer) {
    if (!IsOpen()) return std::nullopt;
    // Without waiting: only what is already there is read.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval none{0, 0};
    if (select(0, &readable, nullptr, nullptr, &none) != 1) return std::nullopt;
    sockaddr_in sender{};
    int senderLength = sizeof sender;
    int count = recvfrom(socket_, buffer.data(), int(buffer.size()), 0,
                         reinterpret_cast<sockaddr*>(&sender), &senderLength);
    if (count >= 0) return UdpRead{size_t(count), false, PeerOf(sender)};
    // A longer datagram fills the buffer and reports its loss.
    if (WSAGetLastError() == WSAEMSGSIZE) return UdpRead{buffer.size(), true, PeerOf(sender)};
    return std::nullopt;
}

std::optional<UdpDatagram> UdpEndpoint::Receive(int timeoutMs) {
    if (!IsOpen()) return std::nullopt;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, timeoutMs < 0 ? nullptr : &limit) != 1)
        return std::nullopt;
    std::string bytes(kLargestUdpPayload, '\0');
    auto read = ReadWaiting(bytes);
    if (!read) return std::nullopt;
    bytes.resize(read->byteCount);
    return UdpDatagram{std::move(bytes), std::move(read->sender)};
}

bool UdpEndpoint::SendTo(std::string_view bytes, const std::string& host, uint32_t port) {
    auto destination = ResolveIpv4(host, port);
    if (!IsOpen() || !destination) return false;
    int sent = sendto(socket_, bytes.data(), int(bytes.size()), 0,
                      reinterpret_cast<const sockaddr*>(&*destination), sizeof *destination);
    return sent == int(bytes.size());
}

DatagramWait::DatagramWait()
    : wake_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      arrival_(WinsockStarted() ? WSACreateEvent() : WSA_INVALID_EVENT) {}

DatagramWait::~DatagramWait() {
    if (wake_) CloseHandle(wake_);
    if (arrival_ != WSA_INVALID_EVENT) WSACloseEvent(arrival_);
}

bool DatagramWait::Usable() const {
    return wake_ && arrival_ != WSA_INVALID_EVENT;
}

bool DatagramWait::Wait(const UdpEndpoint& endpoint) {
    // Every read re-arms the arrival event while datagrams remain, so one wait per read is right.
    if (WSAEventSelect(endpoint.Socket(), arrival_, FD_READ) != 0) return false;
    const HANDLE waits[] = {wake_, arrival_};
    DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woken != WAIT_OBJECT_0 + 1) return false;
    WSANETWORKEVENTS occurred{};
    WSAEnumNetworkEvents(endpoint.Socket(), arrival_, &occurred);
    return true;
}

void DatagramWait::Wake() {
    SetEvent(wake_);
}

}  // namespace zel
