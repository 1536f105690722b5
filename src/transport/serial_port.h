#pragma once
// The serial line as the terminal uses it. Result codes are the system error codes the
// terminal has always reported (0 = success).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

namespace serial_error {
inline constexpr long kInvalidHandle = 6;          // operation on a closed port
inline constexpr long kAlreadyInitialized = 1247;  // opening an open port
inline constexpr long kTimeout = 1460;
inline constexpr long kInvalidArgument = static_cast<long>(0x80070057);
}  // namespace serial_error

namespace serial_event {
inline constexpr uint32_t kReceived = 0x0001;
inline constexpr uint32_t kEventCharacter = 0x0002;
inline constexpr uint32_t kBreak = 0x0040;
inline constexpr uint32_t kLineError = 0x0080;
}  // namespace serial_event

enum class ProbeResult : int { Available = 0, NoSuchDevice = 1, InUse = 2, OtherFailure = -1 };

class ISerialPort {
  public:
    // Runs on the GUI thread (posted there by the listener through the window system): event
    // bits in the low 16 bits, line errors in the high 16.
    using EventHandler = std::function<void(uint32_t eventAndErrors)>;

    virtual ~ISerialPort() = default;

    // The port names worth probing, in probing order.
    virtual std::vector<std::string> CandidatePorts() = 0;
    virtual ProbeResult ProbePort(const std::string& name) = 0;

    virtual bool IsOpen() const = 0;
    // Opens the port exclusively, non-blocking reads, and starts the listener.
    virtual long OpenForWindow(const std::string& name, EventHandler onEvent) = 0;
    // The words for a result code of OpenForWindow.
    virtual std::string DescribeError(long code) const { return "error " + std::to_string(code); }
    // parity: 0 none, 1 odd, 2 even, 3 mark, 4 space; stopBits: 0 one, 1 one and a half, 2 two.
    virtual long ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits) = 0;
    // Stops the listener, then closes the device. Closing a closed port does nothing.
    virtual long CloseLine() = 0;

    // Writes the whole text, each zero marker as one byte 0; returns when written.
    virtual int SendEscapedText(std::string_view text) = 0;
    // Returns at once with the bytes already received (possibly none).
    virtual long ReadBytes(char* buffer, size_t size, size_t* readCount) = 0;
};

}  // namespace zel
