#pragma once
// One IPv4 UDP socket with blocking helpers: the building block of the terminal's socket, the
// device simulator and the loopback tests.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zel {

struct UdpPeer {
    std::string address;  // dotted IPv4
    uint32_t port = 0;
};

// What one read of a waiting datagram produced.
struct UdpRead {
    size_t byteCount = 0;    // bytes stored in the buffer
    bool truncated = false;  // the datagram was longer than the buffer; the rest is lost
    UdpPeer sender;
};

struct UdpDatagram {
    std::string bytes;
    UdpPeer sender;
};

// Why a Bind failed, in the terms the terminal reports.
enum class BindFailure { None, PortInUse, NotPermitted, Other };

// A socket: a descriptor, or on Windows a SOCKET.
#ifdef _WIN32
using UdpSocketHandle = uintptr_t;
inline constexpr UdpSocketHandle kNoUdpSocket = ~UdpSocketHandle{0};
#else
using UdpSocketHandle = int;
inline constexpr UdpSocketHandle kNoUdpSocket = -1;
#endif

class UdpEndpoint {
  public:
    UdpEndpoint() = default;
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    // A dotted address ("0.0.0.0" for every interface); port 0 lets the system choose.
    bool Bind(const std::string& address, uint32_t port, bool broadcast = false);
    void Close();
    // The system's error code of the last Bind that failed; 0 after one that worked.
    int BindError() const { return bindError_; }
    BindFailure BindFailureKind() const;
    // The system's words for BindError.
    std::string BindErrorText() const;
    bool IsOpen() const { return socket_ != kNoUdpSocket; }
    uint32_t LocalPort() const;
    UdpSocketHandle Socket() const { return socket_; }

    // Reads the datagram already waiting, without blocking; nothing when none could be read.
    std::optional<UdpRead> ReadWaiting(std::span<char> buffer);
    // Waits up to timeoutMs for one datagram; longer ones than the largest UDP payload cannot
    // exist, so nothing is cut.
    std::optional<UdpDatagram> Receive(int timeoutMs);

    // The host is a dotted address or a name resolved to IPv4; ports above 65535 are refused.
    bool SendTo(std::string_view bytes, const std::string& host, uint32_t port);

  private:
    UdpSocketHandle socket_ = kNoUdpSocket;
    int bindError_ = 0;
};

// Waits on another thread for the datagrams of one endpoint until woken.
class DatagramWait {
  public:
    DatagramWait();
    ~DatagramWait();
    DatagramWait(const DatagramWait&) = delete;
    DatagramWait& operator=(const DatagramWait&) = delete;

    // False when the wake-up could not be set up.
    bool Usable() const;
    // True once a datagram (or an error the next read clears) waits on the endpoint; false after
    // Wake or when the wait itself fails.
    bool Wait(const UdpEndpoint& endpoint);
    // From any thread: the current and every later Wait returns false.
    void Wake();

  private:
#ifdef _WIN32
    void* wake_ = nullptr;     // manual-reset event
    void* arrival_ = nullptr;  // the socket's network event
#else
    int wake_ = -1;  // eventfd
#endif
};

}  // namespace zel
