#pragma once
// The window system of the run with a window: message boxes on the screen, over the main window.
// Timers and posted work run on Qt's event loop just as in the run without a window.
#include <QPointer>
#include <QWidget>

#include "gui/console_window_system.h"

namespace zel {

class QtWindowSystem : public ConsoleWindowSystem {
  public:
    // Message boxes are centred over this window and block it; without one they stand alone.
    void SetParentWindow(QWidget* window) { parent_ = window; }

    MessageAnswer MessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace zel
