// Choosing the product and the connection, and what the window shows of them.
#include <array>
#include <cstdio>

#include "terminal/zelterm_dlg.h"

namespace zel {

uint32_t BaudRateFromText(const std::string& text) {
    static constexpr std::array<uint32_t, 8> kKnownRates = {1200,  2400,  4800,  9600,
                                                            19200, 38400, 57600, 115200};
    for (uint32_t rate : kKnownRates) {
        if (text == std::to_string(rate)) return rate;
    }
    return 9600;
}

void CZelTermDlg::ProbePorts() {
    ISerialPort& serial = services_.serial;
    auto opens = [&](const std::string& name) {
        if (serial.ProbePort(name) != ProbeResult::Available) return false;
        if (serial.OpenForWindow(name, [](uint32_t) {}) != 0) return false;
        serial.CloseLine();
        return true;
    };
    if (opens(profile_.serialPort)) {
        profile_.serialAvailable = true;
    } else {
        for (const std::string& name : serial.CandidatePorts()) {
            if (serial.ProbePort(name) != ProbeResult::Available) continue;
            profile_.serialPort = name;
            if (opens(name)) {
                profile_.serialAvailable = true;
                break;
            }
        }
    }
    if (services_.udp.OpenPort(profile_.localUdpPort, true, [](const ReceivedDatagram&) {})) {
        profile_.ethernetAvailable = true;
        services_.udp.Close();
    } else {
        // Said once the stored local port is known (otherwise the button is greyed out without
        // a word).
        ethernetProblem_ = "Ethernet cannot be used: local UDP port " +
                           std::to_string(profile_.localUdpPort) + " " +
                           services_.udp.OpenFailure();
    }
}

void CZelTermDlg::CloseSerialIfOpen() {
    if (services_.serial.IsOpen()) services_.serial.CloseLine();
}

void CZelTermDlg::OpenSerialForWindow() {
    ISerialPort& serial = services_.serial;
    serialOpenError_ =
        serial.OpenForWindow(profile_.serialPort, [this](uint32_t event) { OnSerialEvent(event); });
    if (serialOpenError_ == 0) serial.ConfigureLine(BaudRateFromText(profile_.baudRate), 8, 0, 0);
}

bool CZelTermDlg::OpenUdpForWindow() {
    return services_.udp.OpenPort(profile_.localUdpPort, true,
                                  [this](const ReceivedDatagram& d) { OnUdpReceive(d); });
}

void CZelTermDlg::SelectConnection(int requested) {
    bool serialUsable = profile_.serialAvailable && product_ && product_->Supports(kSerial);
    bool ethernetUsable = profile_.ethernetAvailable && product_ && product_->Supports(kEthernet);
    bool usbUsable = product_ && product_->Supports(kUsb);
    auto firstUsable = [&](std::array<int, 3> order) {
        const std::array<bool, 3> usable = {serialUsable, ethernetUsable, usbUsable};
        for (int type : order) {
            if (usable[type]) return type;
        }
        return int{kSerial};
    };
    static constexpr std::array<std::array<int, 3>, 3> kFallbackOrder = {{
        {kSerial, kEthernet, kUsb},
        {kEthernet, kSerial, kUsb},
        {kUsb, kSerial, kEthernet},
    }};
    int chosen = firstUsable(
        kFallbackOrder[(requested >= kSerial && requested <= kUsb) ? requested : kSerial]);
    profile_.connectionType = chosen;

    switch (chosen) {
        case kSerial:
            services_.udp.Close();
            CloseSerialIfOpen();
            if (product_) product_->SetCurrentConnection(kSerial);
            OpenSerialForWindow();
            break;
        case kEthernet:
            CloseSerialIfOpen();
            if (product_) product_->SetCurrentConnection(kEthernet);
            services_.udp.Close();
            if (!OpenUdpForWindow()) {
                services_.window.MessageBox("Failed to open UDP Port", "ZelTerm",
                                            MessageButtons::Ok, MessageIcon::None);
            }
            break;
        default:
            CloseSerialIfOpen();
            services_.udp.Close();
            if (product_) product_->SetCurrentConnection(kUsb);
            break;
    }
    // The stored protocol must belong to the stored connection, or the next start cannot
    // restore the product; so every connection, not only USB, takes its protocol's name.
    if (const ProtocolInfo* protocol = product_ ? product_->CurrentProtocol() : nullptr) {
        profile_.protocolName = protocol->GetName();
    }
    UpdateStatus();
    EnableConnectionButtons();
    Refresh();
}

void CZelTermDlg::UpdateStatus() {
    const ProtocolInfo* protocol = product_ ? product_->CurrentProtocol() : nullptr;
    std::string protocolLine = "Protocol:\t " + (protocol ? protocol->GetName() : "None");
    switch (profile_.connectionType) {
        case kSerial:
            statusLines_ = {protocolLine, "Port:\t\t " + profile_.serialPort,
                            "Settings:\t " + profile_.baudRate + "-8-N-1", ""};
            break;
        case kEthernet:
            statusLines_ = {protocolLine, "Product IP:\t " + profile_.productIpAddress,
                            "Product Port:\t " + std::to_string(profile_.productUdpPort),
                            "Local Port:\t " + std::to_string(profile_.localUdpPort)};
            break;
        default:
            statusLines_ = {protocolLine, "", "", ""};
            break;
    }
}

void CZelTermDlg::EnableConnectionButtons() {
    connectionEnabled_ = {
        profile_.serialAvailable && product_ && product_->Supports(kSerial),
        profile_.ethernetAvailable && product_ && product_->Supports(kEthernet),
        product_ && product_->Supports(kUsb),
    };
}

void CZelTermDlg::TakeProductDefaults() {
    const ProtocolInfo* current = product_->CurrentProtocol();
    profile_.protocolName = current ? current->GetName() : "None";
    if (const ProtocolInfo* serial = product_->CurrentProtocol(kSerial)) {
        profile_.baudRate = serial->defaultBaudRate;
    }
    if (const ProtocolInfo* ethernet = product_->CurrentProtocol(kEthernet)) {
        profile_.productUdpPort = ethernet->defaultProductPort;
    }
}

void CZelTermDlg::SelectProduct(const std::string& name) {
    if (ProductInfo* found = FindProduct(catalog_, name)) {
        product_ = found;
    } else if (!product_ && !catalog_.empty()) {
        product_ = &catalog_.front();
    }
    if (!product_) return;
    sheet_.Rebuild(product_);
    if (view_) view_->ProductChanged(*product_);
    TakeProductDefaults();
    SelectConnection(profile_.connectionType);
    EnableConnectionButtons();
}

void CZelTermDlg::OnProductListSelected(int listIndex) {
    if (listIndex < 0 || listIndex >= static_cast<int>(productNames_.size())) return;
    productListIndex_ = listIndex;
    SelectProduct(productNames_[listIndex]);
    SaveAndTellOnce();
}

void CZelTermDlg::RestoreProduct() {
    ProductInfo* stored =
        productNames_.empty() ? nullptr : FindProduct(catalog_, productNames_[productListIndex_]);
    if (stored && profile_.connectionType >= kSerial && profile_.connectionType <= kUsb) {
        stored->SetCurrentConnection(profile_.connectionType);
        if (stored->SelectProtocolByName(profile_.protocolName)) {
            product_ = stored;
            return;
        }
    }
    if (catalog_.empty()) return;
    productListIndex_ = 0;
    product_ = &catalog_.front();
    product_->SetCurrentConnection(kSerial);
    profile_.connectionType = kSerial;
    TakeProductDefaults();
    SelectProduct(productNames_[productListIndex_]);
}

}  // namespace zel
