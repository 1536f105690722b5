#pragma once
// The window system of a run without a window ("-Exit"): messages go to standard error and
// questions get the answer that changes nothing; timers and posted work run on Qt's event loop.
#include <QObject>
#include <QTimer>
#include <map>

#include "services/window_system.h"

namespace zel {

class ConsoleWindowSystem : public IWindowSystem {
  public:
    MessageAnswer MessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    void SetTimer(int id, unsigned periodMs, std::function<void()> onTick) override;
    void KillTimer(int id) override;
    void PostToGui(std::function<void()> work) override;

  private:
    QObject context_;  // posted work is dropped once this object is gone; owns the timers
    std::map<int, QTimer*> timers_;
};

}  // namespace zel
