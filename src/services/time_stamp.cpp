#include "services/time_stamp.h"

#include <cstdio>

namespace zel {

std::string FormatTimeStamp(const LocalTime& time, const LogSettings& settings) {
    char date[16] = "";
    if (settings.stampDate) {
        std::snprintf(date, sizeof date, "%04d-%02d-%02d ", time.year, time.month, time.day);
    }
    char milliseconds[8] = "";
    if (settings.stampMilliseconds) {
        std::snprintf(milliseconds, sizeof milliseconds, ".%03d", time.millisecond);
    }
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "[%s%02d:%02d:%02d%s] ", date, time.hour, time.minute,
                  time.second, milliseconds);
    return stamp;
}

}  // namespace zel
