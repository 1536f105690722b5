#pragma once
// An existing serial port as the simulator's byte stream: on Windows the COM port the terminal's
// port is joined to, where no pseudo-terminal exists.
#include <string>
#include <string_view>

#include "transport/serial_line.h"

namespace zelsim {

class SerialStream {
  public:
    // Opens the port for this program alone; Error() says why it could not.
    explicit SerialStream(const std::string& name) : error_(line_.OpenLine(name)) {}

    bool IsOpen() const { return line_.IsOpen(); }
    long Error() const { return error_; }

    bool Write(std::string_view bytes);
    // Waits up to timeoutMs for bytes and returns what arrived (empty on time-out).
    std::string Read(int timeoutMs);

  private:
    zel::CSerial line_;
    long error_;
};

}  // namespace zelsim
