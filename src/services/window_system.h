#pragma once
// What the terminal's logic needs from the window system: message boxes, timers and a way to
// run work on the GUI thread. The Qt window implements it; tests use a fake.
#include <functional>
#include <string>

#include "base/gui_thread.h"

namespace zel {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class IWindowSystem : public IGuiThread {
  public:
    virtual ~IWindowSystem() = default;

    // Modal; returns the button the operator chose.
    virtual MessageAnswer MessageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;

    // Starts (or restarts) the timer with this identifier; onTick runs on the GUI thread.
    virtual void SetTimer(int id, unsigned periodMs, std::function<void()> onTick) = 0;
    virtual void KillTimer(int id) = 0;
};

}  // namespace zel
