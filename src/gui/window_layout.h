#pragma once
// How the main window arranges its two halves and what it remembers of them between runs: the
// terminal's controls and log on the left, the product's pages on the right, side by side in a
// splitter, at any screen size from 1024x768 up.
#include <QString>

class QMainWindow;
class QSplitter;
class QTabWidget;
class QWidget;

namespace zel {

class ISettingsStore;

// The window fits a 1024x768 screen whatever page it shows: a page larger than its room scrolls.
inline constexpr int kSmallestScreenWidth = 1024;
inline constexpr int kSmallestScreenHeight = 768;

// The left column and the page area in a splitter; the column keeps its width as the window
// grows, the pages take the rest.
QSplitter* SideBySide(QWidget* controls, QWidget* pages, QWidget* parent);

// The window's size and place, the splitter's division and the last tab shown, under the
// window's own settings names.
class WindowMemory {
  public:
    WindowMemory(QMainWindow& window, QSplitter& splitter, QTabWidget& tabs)
        : window_(window), splitter_(splitter), tabs_(tabs) {}

    // Before the window is shown: its size and place, and the division.
    void RestoreGeometry(ISettingsStore& store);
    // Once the product's pages are up: the tab shown when the window last closed.
    void RestoreTab(ISettingsStore& store);
    bool Save(ISettingsStore& store);

  private:
    QMainWindow& window_;
    QSplitter& splitter_;
    QTabWidget& tabs_;
};

}  // namespace zel
