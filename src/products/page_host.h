#pragma once
// What a product page may use of the terminal: sending, the custom string conversion, the PC's
// clock, message boxes and timers, and the settings store. Pages never touch a transport or the
// log themselves.
#include <string>
#include <string_view>

#include "services/framing.h"
#include "services/pc_clock_info.h"
#include "services/settings_store.h"
#include "services/window_system.h"

namespace zel {

class IPageHost {
  public:
    virtual ~IPageHost() = default;
    virtual void SendCommand(std::string_view text, bool appendCR) = 0;
    // The bytes SendCommand would put on the wire for a text, as the connection frames it.
    virtual std::string FramedCommand(std::string_view text, bool appendCR) const {
        return FrameCommand(text, appendCR, false, 0);
    }
    // Logs the error itself when the string does not convert.
    virtual bool ValidateCustomString(const std::string& customString,
                                      std::string& commandText) = 0;
    virtual PcClockInfo& PcClock() = 0;
    virtual IWindowSystem& Window() = 0;
    virtual ISettingsStore& Settings() = 0;
};

}  // namespace zel
