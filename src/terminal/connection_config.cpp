#include "terminal/connection_config.h"

#include <algorithm>
#include <cctype>

#include "services/dialog_fields.h"

namespace zel {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

// The index of the first entry that matches, or -1.
template <typename Match>
int FindEntry(const std::vector<std::string>& entries, Match matches) {
    auto found = std::find_if(entries.begin(), entries.end(), matches);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return pieces;
}

bool AllowsUnitAddress(const ProductInfo& product) {
    const ProtocolInfo* current = product.CurrentProtocol();
    return current && (current->protocol == kPioneer || current->protocol == kPioneerZelnet) &&
           product.Caps().deviceId;
}

constexpr const char* kNotPresent = " (not present)";
constexpr const char* kInUse = " (in use)";
constexpr const char* kCannotOpen = " (cannot be opened)";

std::string PortStateSuffix(ProbeResult state) {
    switch (state) {
        case ProbeResult::Available:
            return {};
        case ProbeResult::NoSuchDevice:
            return kNotPresent;
        case ProbeResult::InUse:
            return kInUse;
        case ProbeResult::OtherFailure:
            break;
    }
    return kCannotOpen;
}

// The device path of a list entry or of what the operator typed.
std::string PortNameOf(std::string text) {
    for (const std::string suffix : {kNotPresent, kInUse, kCannotOpen}) {
        if (text.size() > suffix.size() && text.ends_with(suffix)) {
            text.resize(text.size() - suffix.size());
        }
    }
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

CConnectionConfig::CConnectionConfig(ProductInfo& product, const ConnectionProfile& profile,
                                     ISerialPort& serial, IWindowSystem& window)
    : product_(product),
      serial_(serial),
      window_(window),
      values_(profile),
      unitAddressText_(std::to_string(profile.unitAddress)),
      localPortText_(std::to_string(profile.localUdpPort)),
      productPortText_(std::to_string(profile.productUdpPort)) {}

void CConnectionConfig::OnInitDialog() {
    // A dialog cancelled earlier may have left the product on another connection; the lists
    // and the protocol choice below must all speak of the one the dialog shows.
    product_.SetCurrentConnection(values_.connectionType);
    FillProtocolList();
    FillPortList();
    FillBaudList();
    ipAddress_ = ParseDottedAddress(values_.productIpAddress);
    Enable();
}

void CConnectionConfig::FillProtocolList() {
    const std::vector<ProtocolInfo>& list = product_.Protocols(values_.connectionType);
    const ProtocolInfo* current = product_.CurrentProtocol(values_.connectionType);
    protocols_ = {};
    for (const ProtocolInfo& protocol : list) {
        if (&protocol == current) protocols_.selected = static_cast<int>(protocols_.entries.size());
        protocols_.entries.push_back(protocol.GetName());
    }
    // The name handed back is the one the list shows, so the stored protocol matches the
    // connection it is stored with.
    if (protocols_.selected >= 0) values_.protocolName = protocols_.entries[protocols_.selected];
}

void CConnectionConfig::FillPortList() {
    ports_ = {};
    for (const std::string& name : serial_.CandidatePorts()) {
        if (serial_.ProbePort(name) == ProbeResult::Available) ports_.entries.push_back(name);
    }
    std::sort(ports_.entries.begin(), ports_.entries.end(), LessIgnoringCase);
    values_.serialAvailable = !ports_.entries.empty();
    if (values_.serialPort.empty()) {
        if (ports_.entries.empty()) return;
        values_.serialPort = ports_.entries.front();
    }
    ports_.selected = FindEntry(ports_.entries, [&](const std::string& name) {
        return EqualIgnoringCase(name, values_.serialPort);
    });
    if (ports_.selected >= 0) {
        values_.serialPort = ports_.entries[ports_.selected];
        return;
    }
    // The port in use stays shown and chosen, named for what it is now, rather than another
    // port being taken in silence.
    const ProbeResult state = serial_.ProbePort(values_.serialPort);
    values_.serialAvailable = values_.serialAvailable || state == ProbeResult::Available;
    ports_.selected = static_cast<int>(ports_.entries.size());
    ports_.entries.push_back(values_.serialPort + PortStateSuffix(state));
}

void CConnectionConfig::RefreshPorts() {
    FillPortList();
    Enable();
}

void CConnectionConfig::FillBaudList() {
    const ProtocolInfo* serialProtocol = product_.CurrentProtocol(kSerial);
    baudRates_ = {};
    if (serialProtocol) baudRates_.entries = SplitAtCommas(serialProtocol->baudRates);
    if (baudRates_.entries.empty()) return;
    auto equalTo = [](const std::string& wanted) {
        return [&wanted](const std::string& entry) { return entry == wanted; };
    };
    int selected = FindEntry(baudRates_.entries, equalTo(values_.baudRate));
    if (selected < 0)
        selected = FindEntry(baudRates_.entries, equalTo(serialProtocol->defaultBaudRate));
    baudRates_.selected = std::max(0, selected);
    values_.baudRate = baudRates_.entries[baudRates_.selected];
}

void CConnectionConfig::Enable() {
    bool unitAddressAllowed = AllowsUnitAddress(product_);
    enabling_ = {
        .serial = values_.serialAvailable && product_.Supports(kSerial),
        .portList = product_.Supports(kSerial),
        .ethernet = values_.ethernetAvailable && product_.Supports(kEthernet),
        .localPort = product_.Supports(kEthernet),
        .usb = product_.Supports(kUsb),
        .protocolList = !protocols_.entries.empty(),
        .baudList = !baudRates_.entries.empty(),
        .sendUnitAddress = unitAddressAllowed,
        .unitAddress = unitAddressAllowed && values_.sendUnitAddress,
    };
}

void CConnectionConfig::OnConnectionClicked(int connectionType) {
    if (connectionType < 0 || connectionType >= kConnectionTypeCount) return;
    values_.connectionType = connectionType;
    product_.SetCurrentConnection(connectionType);
    FillProtocolList();
    FillBaudList();
    Enable();
}

void CConnectionConfig::OnProtocolSelected(const std::string& name) {
    if (!product_.SelectProtocolByName(name)) return;
    values_.protocolName = name;
    const ProtocolInfo* current = product_.CurrentProtocol();
    if (current->connectionType == kSerial) values_.baudRate = current->defaultBaudRate;
    if (current->connectionType == kEthernet) {
        values_.productUdpPort = current->defaultProductPort;
        productPortText_ = std::to_string(current->defaultProductPort);
    }
    FillProtocolList();
    FillBaudList();
    Enable();
}

void CConnectionConfig::OnPortSelected(const std::string& text) {
    std::string name = PortNameOf(text);
    if (name.empty()) return;
    values_.serialPort = name;
    ports_.selected = FindEntry(
        ports_.entries, [&](const std::string& entry) { return entry == text || entry == name; });
    // A typed path to a device that opens makes serial usable, as a listed one does.
    if (!values_.serialAvailable && serial_.ProbePort(name) == ProbeResult::Available) {
        values_.serialAvailable = true;
        Enable();
    }
}

void CConnectionConfig::OnBaudRateSelected(const std::string& rate) {
    int index =
        FindEntry(baudRates_.entries, [&](const std::string& entry) { return entry == rate; });
    if (index < 0) return;
    baudRates_.selected = index;
    values_.baudRate = rate;
}

void CConnectionConfig::OnIpAddressChanged(uint32_t address) {
    ipAddress_ = address;
    values_.productIpAddress = DottedAddress(address);
}

void CConnectionConfig::OnSendUnitAddressClicked(bool checked) {
    values_.sendUnitAddress = checked;
    Enable();
}

void CConnectionConfig::SetLocalPortText(std::string text) {
    localPortText_ = std::move(text);
    if (!probeLocalPort_) return;
    // Another program holds the port Ethernet was to use; a free one typed here frees it.
    std::optional<uint32_t> port = ParseUnsignedField(localPortText_);
    values_.ethernetAvailable = port && probeLocalPort_(*port);
    Enable();
}

bool CConnectionConfig::OnOk() {
    refused_ = ConnectionEdit::None;
    // A disabled unit address cannot be corrected by the operator, so it is not checked and
    // keeps its value.
    if (enabling_.unitAddress) {
        std::optional<int32_t> unitAddress = ParseIntegerField(unitAddressText_);
        if (!unitAddress) return Refuse(ConnectionEdit::UnitAddress, kEnterInteger);
        if (*unitAddress < kMinUnitAddress || *unitAddress > kMaxUnitAddress) {
            return Refuse(ConnectionEdit::UnitAddress,
                          IntegerRangeMessage(kMinUnitAddress, kMaxUnitAddress));
        }
        values_.unitAddress = *unitAddress;
    }
    std::optional<uint32_t> localPort = ParseUnsignedField(localPortText_);
    if (!localPort) return Refuse(ConnectionEdit::LocalPort, kEnterPositiveInteger);
    std::optional<uint32_t> productPort = ParseUnsignedField(productPortText_);
    if (!productPort) return Refuse(ConnectionEdit::ProductPort, kEnterPositiveInteger);
    values_.localUdpPort = *localPort;
    values_.productUdpPort = *productPort;
    return true;
}

bool CConnectionConfig::Refuse(ConnectionEdit edit, const std::string& message) {
    refused_ = edit;
    ShowFieldMessage(window_, message);
    return false;
}

}  // namespace zel
