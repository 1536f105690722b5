#pragma once
// The Devices row above the product list: choosing a stored device sets the product, the
// connection, the address and the protocol in one step; "Save as Device..." keeps the current
// choice under a name; "Devices..." renames, edits, removes, imports and exports them.
#include <QWidget>

#include "gui/qt_device_file.h"
#include "terminal/device_list.h"
#include "terminal/zelterm_dlg.h"

class QComboBox;

namespace zel {

class DeviceSelector : public QWidget {
    Q_OBJECT

  public:
    // The list is kept in `path`; read it with Load() once the terminal has started.
    DeviceSelector(CZelTermDlg& terminal, const QString& path, QWidget* parent);

    // Shows the device in use, or none once the operator chose another product or connection.
    // The first call after the terminal's start-up reads the list; a damaged one is reported.
    void Follow();
    DeviceList& Devices() { return devices_; }

  private:
    void Load();
    void Fill();
    void OnChosen(int index);
    void SaveAsDevice();
    void Manage();
    // Tells the operator why a change was not made; true when it was.
    bool Told(const std::string& problem);

    CZelTermDlg& terminal_;
    QtDeviceFile file_;
    DeviceList devices_;
    QComboBox* list_ = nullptr;
    bool loaded_ = false;
    bool choosing_ = false;  // the terminal refreshes the window while it takes a device
    std::string inUse_;      // the device chosen last, until the operator changes the connection
};

}  // namespace zel
