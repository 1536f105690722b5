#pragma once
// The Connection Setup dialog's logic: it edits a copy of the connection profile, while the
// connection type and protocol chosen in it go to the product at once (so they stay chosen
// even when the dialog is cancelled). The Qt dialog renders this state and forwards clicks.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "products/product_info.h"
#include "services/window_system.h"
#include "terminal/connection_profile.h"
#include "transport/serial_port.h"

namespace zel {

// The edit a refused value came from, so the view can give it the focus.
enum class ConnectionEdit { None, UnitAddress, LocalPort, ProductPort };

// One drop-down list: its entries in display order and the selected one.
struct ChoiceList {
    std::vector<std::string> entries;
    int selected = -1;  // none
};

struct ConnectionEnabling {
    bool serial = false;     // the Serial radio and the baud list
    bool portList = false;   // the port list and its Refresh, so a new device can be chosen
    bool ethernet = false;   // the Ethernet radio, the IP control and the product port
    bool localPort = false;  // so another local port can be chosen when this one is held
    bool usb = false;        // the USB radio
    bool protocolList = false;
    bool baudList = false;
    bool sendUnitAddress = false;
    bool unitAddress = false;  // the label "Unit Address (0-127)" and its edit
};

class CConnectionConfig {
  public:
    static constexpr int kMinUnitAddress = 0;
    static constexpr int kMaxUnitAddress = 127;

    CConnectionConfig(ProductInfo& product, const ConnectionProfile& profile, ISerialPort& serial,
                      IWindowSystem& window);

    // Fills the lists (probing the serial ports), takes the IP address and enables.
    void OnInitDialog();

    void OnConnectionClicked(int connectionType);
    void OnProtocolSelected(const std::string& name);
    // Reads the port list again, for a device plugged in while the dialog is open.
    void RefreshPorts();
    // A list entry or a typed device path.
    void OnPortSelected(const std::string& text);
    void OnBaudRateSelected(const std::string& rate);
    void OnIpAddressChanged(uint32_t address);
    void OnSendUnitAddressClicked(bool checked);
    void SetUnitAddressText(std::string text) { unitAddressText_ = std::move(text); }
    void SetLocalPortText(std::string text);
    // Given when this run cannot use Ethernet: whether a local port is free, asked as the
    // operator types one, so a free one makes Ethernet available at once.
    void SetLocalPortProbe(std::function<bool(uint32_t port)> isFree) {
        probeLocalPort_ = std::move(isFree);
    }
    void SetProductPortText(std::string text) { productPortText_ = std::move(text); }

    // Takes the edits into the values. A refused edit is reported in a message box and named
    // by RefusedEdit(); the dialog then stays open.
    bool OnOk();
    ConnectionEdit RefusedEdit() const { return refused_; }

    const ProductInfo& Product() const { return product_; }
    int ConnectionType() const { return values_.connectionType; }
    const ChoiceList& Protocols() const { return protocols_; }
    const ChoiceList& Ports() const { return ports_; }
    const ChoiceList& BaudRates() const { return baudRates_; }
    // None while the address text is not a dotted IPv4 address: the control stays blank.
    std::optional<uint32_t> IpAddress() const { return ipAddress_; }
    bool SendUnitAddress() const { return values_.sendUnitAddress; }
    const std::string& UnitAddressText() const { return unitAddressText_; }
    const std::string& LocalPortText() const { return localPortText_; }
    const std::string& ProductPortText() const { return productPortText_; }
    const ConnectionEnabling& Enabling() const { return enabling_; }

    // The profile as edited; the terminal takes it back on OK.
    const ConnectionProfile& Values() const { return values_; }

  private:
    void FillProtocolList();
    void FillPortList();
    void FillBaudList();
    void Enable();
    bool Refuse(ConnectionEdit edit, const std::string& message);

    ProductInfo& product_;
    ISerialPort& serial_;
    IWindowSystem& window_;
    ConnectionProfile values_;
    ChoiceList protocols_;
    ChoiceList ports_;
    ChoiceList baudRates_;
    std::optional<uint32_t> ipAddress_;
    std::string unitAddressText_;
    std::string localPortText_;
    std::string productPortText_;
    ConnectionEnabling enabling_;
    ConnectionEdit refused_ = ConnectionEdit::None;
    std::function<bool(uint32_t port)> probeLocalPort_;
};

}  // namespace zel
