#pragma once
// The settings store of the platform: the registry on Windows, a settings file elsewhere. Either
// honours ZELTERM_SETTINGS (a file path, or on Windows a key path under HKEY_CURRENT_USER).
#ifdef _WIN32
#include "gui/registry_settings_store.h"
#else
#include "gui/qt_settings_store.h"
#endif

namespace zel {

#ifdef _WIN32
using PlatformSettingsStore = RegistrySettingsStore;
#else
using PlatformSettingsStore = QtSettingsStore;
#endif

}  // namespace zel
