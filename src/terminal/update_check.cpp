#include "terminal/update_check.h"

#include <string>

namespace zel {

namespace {

constexpr int kNoInternet = 0;
constexpr int kUpdateAvailable = 1;
constexpr int kUpToDate = 2;
const std::string kCaption = "ZelTerm";

}  // namespace

void RunUpdateCheck(IUpdateLauncher& launcher, IWindowSystem& window, UpdateCheckOrigin origin) {
    if (!launcher.ProgramsPresent()) {
        // Asked for, the check says why it could not run; at start-up it stays silent.
        if (origin == UpdateCheckOrigin::Dialog) {
            window.MessageBox(
                "No update checker is installed: updater.exe and uptr_check.exe "
                "were looked for in " +
                    launcher.Folder() + ".",
                kCaption, MessageButtons::Ok, MessageIcon::Information);
        }
        return;
    }
    std::optional<int> exitCode = launcher.RunChecker(kUpdateCheckerTimeoutMs);
    if (!exitCode) return;
    if (*exitCode == kUpdateAvailable) {
        MessageAnswer answer =
            window.MessageBox("A new update is available! Do you want to update now?", kCaption,
                              MessageButtons::YesNo, MessageIcon::Question);
        if (answer == MessageAnswer::Yes) launcher.StartUpdater();
        return;
    }
    if (origin == UpdateCheckOrigin::Launch) return;
    if (*exitCode == kUpToDate) {
        window.MessageBox("Your Zel Terminal software is up to date", kCaption, MessageButtons::Ok,
                          MessageIcon::Information);
    } else if (*exitCode == kNoInternet) {
        window.MessageBox("Can not check for updates. No internet connection was found.", kCaption,
                          MessageButtons::Ok, MessageIcon::Information);
    }
}

}  // namespace zel
