#pragma once
// The time stamp that starts a log line: "[HH:MM:SS] ", with milliseconds ("[HH:MM:SS.mmm] ")
// and the date ("[YYYY-MM-DD HH:MM:SS] ") when asked for.
#include <string>

#include "services/comm_log.h"
#include "transport/system_clock.h"

namespace zel {

std::string FormatTimeStamp(const LocalTime& time, const LogSettings& settings);

}  // namespace zel
