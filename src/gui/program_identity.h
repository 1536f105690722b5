#pragma once
// What the program says about itself: its version line, its maker and its icon.
#include <QIcon>

class QWidget;

namespace zel {

inline constexpr const char* kProgramVersionText = "Zel Terminal Version 3.21";
inline constexpr const char* kProgramMakerText = "Quorvane Systems";

QIcon ProgramIcon();

// The modal About box: the icon, the version line, the maker and an OK button.
void ShowAboutBox(QWidget* parent);

}  // namespace zel
