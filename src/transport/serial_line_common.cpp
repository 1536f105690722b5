// The line's operations that need no system call of their own: modes, masks, and the terminal's
// send and read paths over each platform's reads and writes.
#include <cstring>

#include "base/zero_marker.h"
#include "transport/serial_line.h"

namespace zel {

long CSerial::SetReadMode(int mode) {
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    if (mode != kNonBlocking && mode != kBlocking) return Finish(serial_error::kInvalidArgument);
    readMode_ = static_cast<ReadMode>(mode);
    return Finish(0);
}

long CSerial::SetEventMask(uint32_t mask) {
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    eventMask_ = mask;
    return Finish(0);
}

long CSerial::SetEventCharacter(char character, bool addToMask) {
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    if (addToMask) eventMask_ |= serial_event::kEventCharacter;
    eventCharacter_ = character;
    return Finish(0);
}

uint32_t CSerial::QueryEventMask() {
    Finish(IsOpen() ? 0 : serial_error::kInvalidHandle);
    return IsOpen() ? eventMask_.load() : 0;
}

char CSerial::QueryEventCharacter() {
    Finish(IsOpen() ? 0 : serial_error::kInvalidHandle);
    return IsOpen() ? eventCharacter_.load() : '\0';
}

long CSerial::WriteString(const char* text, size_t* written, int timeoutMs) {
    return WriteBytes(text, std::strlen(text), written, timeoutMs);
}

long CSerial::ReadBytes(void* buffer, size_t size, size_t* readCount, int timeoutMs) {
    size_t done = 0;
    if (readCount) *readCount = 0;
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    std::lock_guard lock(readLock_);
    char* into = static_cast<char*>(buffer);
    long result = readMode_ == kNonBlocking ? ReadAvailable(into, size, &done)
                                            : ReadAll(into, size, &done, Deadline(timeoutMs));
    if (readCount) *readCount = done;
    return Finish(result);
}

long CSerial::ReadLine(std::string& line, int timeoutMs) {
    line.clear();
    if (long result = SetReadMode(kBlocking); result != 0) return result;
    for (;;) {
        char byte = 0;
        if (long result = ReadBytes(&byte, 1, nullptr, timeoutMs); result != 0) return result;
        if (byte == '\r') return SetReadMode(kNonBlocking);
        line += byte;
    }
}

uint32_t CSerial::TakeEventType() {
    return occurredEvents_.exchange(0) & eventMask_;
}

int CSerial::SendEscapedText(std::string_view text) {
    if (text.find(kZeroMarker) == std::string_view::npos) {
        WriteBytes(text.data(), text.size(), nullptr, kInfiniteMs);
        return 1;
    }
    // Byte by byte, so each marker becomes exactly one byte 0 in its place.
    for (size_t at = 0; at < text.size();) {
        bool marker = text.substr(at).starts_with(kZeroMarker);
        char byte = marker ? '\0' : text[at];
        if (WriteBytes(&byte, 1, nullptr, kInfiniteMs) != 0) break;  // the device is gone
        at += marker ? kZeroMarker.size() : 1;
    }
    return 1;
}

}  // namespace zel
