#include "terminal/device_choice.h"

#include <algorithm>

namespace zel {

std::string ChooseDevice(CZelTermDlg& terminal, const Device& device) {
    const std::vector<std::string>& names = terminal.ProductNames();
    const auto listed = std::ranges::find(names, device.product);
    if (listed == names.end()) return "there is no product \"" + device.product + "\"";
    terminal.OnProductListSelected(static_cast<int>(listed - names.begin()));
    ProductInfo& product = *terminal.CurrentProduct();
    product.SetCurrentConnection(device.connection);
    if (!device.protocol.empty() && !product.SelectProtocolByName(device.protocol)) {
        return product.Name() + " has no protocol \"" + device.protocol + "\"";
    }
    ConnectionProfile profile = terminal.Profile();
    profile.connectionType = device.connection;
    if (const ProtocolInfo* protocol = product.CurrentProtocol()) {
        profile.protocolName = protocol->GetName();
    }
    if (device.connection == kSerial) {
        profile.serialPort = device.address;
        if (const ProtocolInfo* serial = product.CurrentProtocol(kSerial)) {
            profile.baudRate = serial->defaultBaudRate;
        }
    } else if (device.connection == kEthernet) {
        profile.productIpAddress = device.address;
        profile.localUdpPort = device.localPort;
        profile.productUdpPort = device.productPort;
    }
    profile.sendUnitAddress = device.unitAddress.has_value();
    profile.unitAddress = device.unitAddress.value_or(profile.unitAddress);
    terminal.ApplyConnectionSetup(profile);
    if (terminal.Profile().connectionType != device.connection) {
        return std::string("the ") + DeviceConnectionName(device.connection) +
               " connection cannot be used on this computer now";
    }
    terminal.Log().AppendLog("Device \"" + device.name + "\": " + DeviceSummary(device) + "\r\n",
                             false);
    return {};
}

void WriteDeviceSettings(ISettingsKey& key, const Device& device,
                         const std::vector<std::string>& productNames) {
    const auto listed = std::ranges::find(productNames, device.product);
    key.WriteNumber("Product", static_cast<uint32_t>(listed - productNames.begin()));
    key.WriteNumber("Connection", static_cast<uint32_t>(device.connection));
    key.WriteText("Protocol", device.protocol);
    key.WriteText("ComPort", device.connection == kSerial ? device.address : "");
    key.WriteText("ProductIPAddress", device.connection == kEthernet ? device.address : "");
    key.WriteNumber("LocalUDPPort", device.localPort);
    key.WriteNumber("ProductUDPPort", device.productPort);
    key.WriteNumber("CheckUpdateOnLaunch", 0);
}

Device CurrentDevice(CZelTermDlg& terminal, const std::string& name) {
    const ConnectionProfile& profile = terminal.Profile();
    Device device;
    device.name = name;
    device.connection = profile.connectionType;
    if (ProductInfo* product = terminal.CurrentProduct()) {
        device.product = product->Name();
        if (const ProtocolInfo* protocol = product->CurrentProtocol(profile.connectionType)) {
            device.protocol = protocol->GetName();
        }
    }
    if (profile.connectionType == kSerial) device.address = profile.serialPort;
    if (profile.connectionType == kEthernet) {
        device.address = profile.productIpAddress;
        device.localPort = profile.localUdpPort;
        device.productPort = profile.productUdpPort;
    }
    if (profile.sendUnitAddress) device.unitAddress = profile.unitAddress;
    return device;
}

}  // namespace zel
