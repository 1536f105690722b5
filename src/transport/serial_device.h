#pragma once
// Opening a serial device for this program alone, and waiting on it with a time-out. The
// device calls take POSIX descriptors; Deadline and SerialErrorText serve every platform.
#include <chrono>
#include <string>

namespace zel {

// An open device: a descriptor, or on Windows the port's HANDLE (opened for overlapped I/O).
#ifdef _WIN32
using SerialDevice = void*;
inline const SerialDevice kNoSerialDevice = nullptr;
#else
using SerialDevice = int;
inline constexpr SerialDevice kNoSerialDevice = -1;
#endif

// Milliseconds as the serial operations take them; kInfiniteMs waits for ever.
inline constexpr int kInfiniteMs = -1;

class Deadline {
  public:
    explicit Deadline(int timeoutMs);
    // What is left, for poll(): kInfiniteMs when there is no time-out, never below 0.
    int RemainingMs() const;

  private:
    bool infinite_;
    std::chrono::steady_clock::time_point end_;
};

// The words for an open's result code: the system's, or what it means for a serial port.
std::string SerialErrorText(long code);

// Opens the device read-write, non-blocking, never as controlling terminal, and locks it
// against every other opener (advisory lock and the terminal's exclusive mode). Returns the
// descriptor, or -1 with *error set to the failing call's errno.
int OpenExclusively(const std::string& path, int* error);
// Leaves exclusive mode (it would outlive the descriptor on a device others keep open) and closes.
void CloseExclusive(int fd);

// 0 once fd is ready for `events`; serial_error::kTimeout when the deadline passes; EIO when
// the device hung up or failed; another errno when poll() itself fails.
long WaitUntilReady(int fd, short events, const Deadline& deadline);

}  // namespace zel
