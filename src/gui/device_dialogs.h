#pragma once
// The dialogs of the device list: one device's fields, and the list with its changes.
#include <optional>

#include "terminal/device_list.h"
#include "terminal/zelterm_dlg.h"

class QWidget;

namespace zel {

// Edits `device` in a form; nothing when cancelled. Each OK is checked by `keep`, which
// returns why the device cannot be kept (the form then stays open) or empty when it was.
bool EditDevice(QWidget* parent, CZelTermDlg& terminal, Device device,
                const std::function<std::string(const Device&)>& keep);

// The "Devices" dialog: the list with Edit..., Rename..., Remove, Import CSV... and Export CSV...
void ManageDevices(QWidget* parent, CZelTermDlg& terminal, DeviceList& devices);

}  // namespace zel
