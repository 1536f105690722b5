#pragma once
// The external update programs, which lie beside the terminal in its "updater" folder.
#include <optional>
#include <string>

namespace zel {

class IUpdateLauncher {
  public:
    virtual ~IUpdateLauncher() = default;
    // Both "updater.exe" and "uptr_check.exe" are present in the updater folder.
    virtual bool ProgramsPresent() = 0;
    // Where the programs are looked for, as the operator would look there.
    virtual std::string Folder() const = 0;
    // Runs "uptr_check.exe -checkforupdates" and waits up to timeoutMs; its exit code, or
    // nothing when it could not start or had not ended in time.
    virtual std::optional<int> RunChecker(int timeoutMs) = 0;
    // Starts "updater.exe" and does not wait for it.
    virtual bool StartUpdater() = 0;
};

}  // namespace zel
