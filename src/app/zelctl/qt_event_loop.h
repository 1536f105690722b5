#pragma once
// The event loop of a zelctl run on Qt: timers, posted work and the sockets' notifications.
#include "app/zelctl/event_loop.h"

namespace zel::ctl {

class QtEventLoop : public EventLoop {
  public:
    bool RunUntil(const std::function<bool()>& done, int ms) override;
};

}  // namespace zel::ctl
