#pragma once
// Keeps a record of the log in a file as it grows. The terminal hands it the file settings
// whenever they change; it follows the log itself and says in the log when the file fails.
#include "services/comm_log.h"

namespace zel {

class ILogRecorder {
  public:
    virtual ~ILogRecorder() = default;
    // Starts, moves or stops the record; false when a record asked for cannot be written.
    virtual bool Apply(const LogFileSettings& settings) = 0;
};

}  // namespace zel
