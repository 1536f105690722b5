#pragma once
// Lets the terminal's timers, posted work and replies run while a command or step waits.
#include <functional>

namespace zel::ctl {

class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Runs until `done` holds or `ms` milliseconds have passed; whether `done` held.
    virtual bool RunUntil(const std::function<bool()>& done, int ms) = 0;
};

}  // namespace zel::ctl
