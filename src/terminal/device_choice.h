#pragma once
// A device chosen on the terminal in one step, as the operator would do it by hand: the product
// in the list, then the connection, its protocol and its addresses.
#include <string>

#include "services/settings_store.h"
#include "terminal/device.h"
#include "terminal/zelterm_dlg.h"

namespace zel {

// Selects the device's product and connection and logs one line naming the device. Returns why
// the device cannot be used; empty when it is in use.
std::string ChooseDevice(CZelTermDlg& terminal, const Device& device);

// The settings a terminal starts from to come up on this device alone: the connection it
// probes and opens first is the device's, so the terminals of a rack never reach for each
// other's ports.
void WriteDeviceSettings(ISettingsKey& key, const Device& device,
                         const std::vector<std::string>& productNames);

// The terminal's current product and connection as a device of this name.
Device CurrentDevice(CZelTermDlg& terminal, const std::string& name);

}  // namespace zel
