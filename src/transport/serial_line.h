#pragma once
// One serial device and its line: exclusive open, line settings, flow control, read modes,
// the event mask, and reads and writes that wait up to a time-out. Results are the system
// error codes the terminal has always reported: 0 success, serial_error codes for the cases
// it names, the failing call's errno otherwise. The most recent result is kept as last error.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "transport/serial_device.h"
#include "transport/serial_line_errors.h"
#include "transport/serial_port.h"

namespace zel {

class CSerial {
  public:
    enum ReadMode { kNonBlocking = 0, kBlocking = 1 };
    static constexpr uint32_t kOpenEventMask =
        serial_event::kReceived | serial_event::kBreak | serial_event::kLineError;

    CSerial() = default;
    virtual ~CSerial();
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    // Opens and at once closes the device: is it there, and could this program have it now?
    static ProbeResult ProbePort(const std::string& name);

    // Exclusive, raw 8-N-1 at the device's current speed, no flow control, event mask
    // kOpenEventMask, non-blocking reads.
    virtual long OpenLine(const std::string& name);
    virtual long CloseLine();
    bool IsOpen() const { return device_ != kNoSerialDevice; }
    long LastError() const { return lastError_; }

    // Codes as in ISerialPort::ConfigureLine. EINVAL for settings the device cannot take; it
    // then keeps its previous ones.
    long ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits);
    // 0 off, 1 hardware, 2 software; anything else is E_INVALIDARG.
    long SetHandshake(int mode);
    // kNonBlocking: reads return at once with what is buffered; kBlocking: reads wait for
    // every requested byte. Anything else is E_INVALIDARG.
    long SetReadMode(int mode);
    long SetEventMask(uint32_t mask);
    // Recorded and reported back; bytes are never inspected on their way to the reader, so no
    // event-character event is raised.
    long SetEventCharacter(char character, bool addToMask);

    // -1 on failure (a closed port included).
    long QueryBaudRate();
    int QueryDataBits();
    int QueryParity();
    int QueryStopBits();
    int QueryHandshake();
    // 0 on failure.
    uint32_t QueryEventMask();
    char QueryEventCharacter();

    long WriteBytes(const void* bytes, size_t count, size_t* written, int timeoutMs);
    long WriteString(const char* text, size_t* written, int timeoutMs);
    long ReadBytes(void* buffer, size_t size, size_t* readCount, int timeoutMs);
    // Blocking reads up to a carriage return, which is not kept; afterwards reads are
    // non-blocking again. A failed read leaves them blocking.
    long ReadLine(std::string& line, int timeoutMs);

    // The occurred events within the event mask; clears the occurred events.
    uint32_t TakeEventType();

    // The terminal's send: the whole text, each zero marker as one byte 0. Returns 1 whatever
    // the device does with it.
    int SendEscapedText(std::string_view text);

  protected:
    SerialDevice Device() const { return device_; }
    void NoteEvents(uint32_t events) { occurredEvents_ |= events; }
    // The line errors since the previous call (or the open): adds their event bits to the
    // occurred events and returns their flags.
    uint32_t ClearLineErrors();
    // Moves what the device has sent into the line's own buffer, where reads find it first:
    // a device that hangs up takes its unread bytes with it. Returns how many it moved.
    size_t CollectArrivals();
    long Finish(long result) {
        lastError_ = result;
        return result;
    }

  private:
    // Reads the device's attributes, lets `change` edit them and writes them back. `change`
    // returns false to refuse the edit, which then fails with `refusal`; a device that does not
    // take all of the edit is put back as it was, and the change fails with EINVAL.
    template <typename Change>
    long ChangeAttributes(Change change, long refusal);
    template <typename Read>
    int QueryAttributes(Read read);
    long ReadAvailable(char* buffer, size_t size, size_t* readCount);
    // One read of at most size bytes of those the device has already delivered; 0 bytes when
    // there are none.
    long ReadDelivered(char* buffer, size_t size, size_t* readCount);
    long ReadAll(char* buffer, size_t size, size_t* readCount, const Deadline& deadline);

    // Shared with the listener thread, hence atomic.
    std::atomic<long> lastError_{0};
    std::atomic<uint32_t> occurredEvents_{0};
    std::atomic<uint32_t> eventMask_{0};
    std::atomic<char> eventCharacter_{0};

    // Held by every read, so collected bytes and the device's own keep their order.
    std::mutex readLock_;
    std::string arrived_;  // not read yet from arrivedFront_ on
    size_t arrivedFront_ = 0;

    SerialDevice device_ = kNoSerialDevice;
    ReadMode readMode_ = kNonBlocking;
    std::optional<LineErrorCounts> errorCounts_;  // listener thread only, while open (POSIX)
    // Errors the driver reported while a read looked at its queue, for the next ClearLineErrors
    // (Windows, where looking clears them).
    std::atomic<uint32_t> unreportedErrors_{0};
};

}  // namespace zel
