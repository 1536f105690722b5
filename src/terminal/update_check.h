#pragma once
// The check for a newer version through the external checker, from the update dialog or at launch.
#include "services/window_system.h"
#include "terminal/update_launcher.h"

namespace zel {

enum class UpdateCheckOrigin { Launch, Dialog };

inline constexpr int kUpdateCheckerTimeoutMs = 10000;

// At launch only "an update is available" is ever said; from the dialog every answer is.
void RunUpdateCheck(IUpdateLauncher& launcher, IWindowSystem& window, UpdateCheckOrigin origin);

}  // namespace zel
