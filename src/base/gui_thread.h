#pragma once
// The one thing the transports' listener threads need from the window system: handing work to
// the GUI thread, where the terminal's logic runs.
#include <functional>

namespace zel {

class IGuiThread {
  public:
    virtual ~IGuiThread() = default;

    // Safe to call from any thread; the work runs later on the GUI thread, in posting order.
    virtual void PostToGui(std::function<void()> work) = 0;
};

}  // namespace zel
