#pragma once
// The terminal's settings in the registry: the key Software\Quorvane\ZelTerm of the current user,
// or the key ZELTERM_SETTINGS names there. A user without the key starts from the one under
// HKEY_LOCAL_MACHINE. Windows only.
#include <string>

#include "services/settings_store.h"
#include "transport/windows/registry_settings.h"

namespace zel {

class RegistrySettingsStore : public ISettingsStore {
  public:
    static constexpr const char* kKeyPath = "Software\\Quorvane\\ZelTerm";

    // The key the environment or the default names.
    RegistrySettingsStore();
    explicit RegistrySettingsStore(const std::string& keyPath) : registry_(keyPath, keyPath) {}

    std::unique_ptr<ISettingsKey> OpenForRead() override;
    std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() override;

  private:
    RegistrySettings registry_;
};

}  // namespace zel
