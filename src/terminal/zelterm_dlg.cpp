#include "terminal/zelterm_dlg.h"

#include <algorithm>
#include <cstdio>

#include "terminal/custom_string.h"
#include "terminal/framing.h"
#include "terminal/update_check.h"

namespace zel {

namespace {

const std::string kLineEnd = "\r\n";

}  // namespace

CZelTermDlg::CZelTermDlg(const TerminalServices& services)
    : services_(services), pcClock_(services.clock) {}

CZelTermDlg::~CZelTermDlg() {
    services_.window.KillTimer(kRepeatTimerId);
    services_.serial.CloseLine();
    services_.udp.Close();
    if (services_.usb.IsOpen()) services_.usb.CloseDevice();
}

void CZelTermDlg::OnInitDialog(const std::vector<std::string>& commandLine) {
    ProbePorts();
    if (profile_.productIpAddress.empty()) profile_.productIpAddress = kDefaultProductIpAddress;
    catalog_ = BuildCatalog();
    productNames_ = SortedProductNames(catalog_);
    productListIndex_ = 0;
    LoadSettings();
    RestoreProduct();
    sheet_.Rebuild(product_);
    if (view_ && product_) view_->ProductChanged(*product_);
    SelectConnection(profile_.connectionType);
    EnableConnectionButtons();
    log_.AppendLog("Be sure to setup your connection \r\n", false);
    ProcessCommandLine(commandLine);
    Refresh();
    EnableConnectionButtons();
    CheckForUpdateOnLaunch();
}

void CZelTermDlg::CheckForUpdateOnLaunch() {
    if (checkUpdateOnLaunch_ != 1) return;
    RunUpdateCheck(services_.updates, services_.window, UpdateCheckOrigin::Launch);
}

void CZelTermDlg::SendCommand(std::string_view text, bool appendCR) {
    if (sendObserver_) sendObserver_(text, appendCR);
    if (text.empty() || ended_) return;
    lastCommand_ = std::string(text);
    std::string framed =
        FrameCommand(text, appendCR, profile_.sendUnitAddress, profile_.unitAddress);
    switch (profile_.connectionType) {
        case kSerial:
            SendOnSerial(framed);
            break;
        case kEthernet:
            SendOnEthernet(framed);
            break;
        default:
            SendOnUsb(framed);
            break;
    }
}

void CZelTermDlg::AppendTimeStamp() {
    if (!log_.Settings().showTimeStamp) return;
    LocalTime now = services_.clock.Now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d] ", now.hour, now.minute, now.second);
    log_.AppendLog(stamp, false);
}

void CZelTermDlg::AppendSentLine(const std::string& header, const std::string& framed) {
    AppendTimeStamp();
    if (log_.Settings().showDetails) log_.AppendLog(header, false);
    log_.AppendLog(framed, true);
    log_.AppendLog(kLineEnd, false);
}

void CZelTermDlg::SendOnSerial(const std::string& framed) {
    if (!services_.serial.IsOpen()) {
        SelectConnection(kSerial);
        if (!services_.serial.IsOpen()) {
            log_.AppendLog("Message not sent! Unable to open selected port!\r\n", false);
            return;
        }
    }
    if (!lineStart_) log_.AppendLog(kLineEnd, false);
    services_.serial.SendEscapedText(framed);
    lineStart_ = true;
    AppendSentLine("Sent (" + profile_.serialPort + "):  ", framed);
}

void CZelTermDlg::SendOnEthernet(const std::string& framed) {
    // The port may have been held by another program when it was chosen.
    if (!services_.udp.IsOpen() && !OpenUdpForWindow()) {
        log_.AppendLog("Message not sent! Unable to open UDP port " +
                           std::to_string(profile_.localUdpPort) + "!\r\n",
                       false);
        return;
    }
    const ProtocolInfo* protocol = product_ ? product_->CurrentProtocol() : nullptr;
    bool zelnet = protocol && protocol->protocol == kPioneerZelnet;
    size_t bytes = ExpandZeroMarkers(framed).size();
    size_t limit = zelnet ? kMaxZelnetPayloadBytes : kMaxDatagramBytes;
    if (bytes > limit) {
        // The datagram buffers cannot hold it; cutting it would send a different command.
        log_.AppendLog("Message not sent! " + std::to_string(bytes) +
                           " bytes do not fit in one datagram (at most " + std::to_string(limit) +
                           ").\r\n",
                       false);
        return;
    }
    if (zelnet) {
        services_.udp.SendZelnetFrame(framed, profile_.productIpAddress, profile_.productUdpPort);
    } else {
        services_.udp.SendText(framed, profile_.productIpAddress, profile_.productUdpPort);
    }
    lineStart_ = true;
    AppendSentLine("Sent (" + profile_.productIpAddress + "):  ", framed);
}

void CZelTermDlg::SendOnUsb(const std::string& framed) {
    IUsbLink& usb = services_.usb;
    if (!usb.IsOpen() && !usb.OpenDevice()) {
        log_.AppendLog("Error Init USB. Re-install drivers or re-connect device.", false);
        log_.AppendLog(kLineEnd, false);
        if (usb.AccessDenied()) log_.AppendLog(kUsbAccessDenied, false);
        usb.CloseDevice();
        return;
    }
    if (!usb.WriteData(framed, nullptr)) {
        usb.CloseDevice();
        if (!usb.OpenDevice() || !usb.WriteData(framed, nullptr)) {
            log_.AppendLog("Error Writting using USB. Re-install drivers or re-connect device.",
                           false);
            log_.AppendLog(kLineEnd, false);
            usb.CloseDevice();
            return;
        }
    }
    if (log_.Settings().showDetails) log_.AppendLog("Sent (USB):  ", false);
    log_.AppendLog(framed, true);
    log_.AppendLog(kLineEnd, false);
    std::string reply;
    if (usb.ReadData(reply, kUsbReplyBytes, kUsbReadAttempts) && !reply.empty()) {
        log_.AppendLog("Received (USB):  ", false);
        log_.AppendLog(reply, true);
        log_.AppendLog(kLineEnd, false);
    }
    usb.CloseDevice();
}

bool CZelTermDlg::ValidateCustomString(const std::string& customString, std::string& commandText) {
    CustomStringResult result = ParseCustomString(customString);
    if (result.error != CustomStringError::None) {
        log_.AppendLog(CustomStringErrorMessage(result.error), false);
        return false;
    }
    commandText = std::move(result.commandText);
    return true;
}

void CZelTermDlg::OnSend() {
    std::string commandText;
    if (!ValidateCustomString(customString_, commandText)) return;
    history_.Add(customString_);
    SendCommand(commandText, false);
}

void CZelTermDlg::OnCustomStringHelp() {
    services_.window.MessageBox(CustomStringHelpText(), "Custom String Help", MessageButtons::Ok,
                                MessageIcon::Information);
}

void CZelTermDlg::OnSerialEvent(uint32_t eventAndErrors) {
    if ((eventAndErrors & 0xFFFF) != serial_event::kReceived) return;
    bool lineEndSeen = false;
    char buffer[kSerialReadChunk];
    size_t count = 0;
    do {
        count = 0;
        if (services_.serial.ReadBytes(buffer, sizeof buffer, &count) != 0) count = 0;
        if (count == 0) break;
        const std::string_view bytes(buffer, count);
        if (bytes.find_first_of("\r\n") != std::string_view::npos) lineEndSeen = true;
        if (lineStart_) {
            lineStart_ = false;
            AppendTimeStamp();
            if (log_.Settings().showDetails) {
                log_.AppendLog("Received (" + profile_.serialPort + "): ", false);
            }
        }
        log_.AppendReceived(bytes);
    } while (count == sizeof buffer);
    if (lineEndSeen) {
        log_.AppendLog(kLineEnd, false);
        lineStart_ = true;
    }
}

void CZelTermDlg::OnUdpReceive(const ReceivedDatagram& datagram) {
    if (datagram.droppedBefore > 0) {
        log_.AppendLog(
            std::to_string(datagram.droppedBefore) + std::string(kDatagramsDropped) + kLineEnd,
            false);
    }
    if (datagram.onlyDropNotice) return;
    if (lineStart_) {
        AppendTimeStamp();
        if (log_.Settings().showDetails) {
            log_.AppendLog("Received (" + datagram.senderAddress + ")" +
                               (datagram.zelnet ? " *ZELNet*" : "") + ": ",
                           false);
        }
    }
    std::string data;
    data.reserve(datagram.data.size());
    for (char byte : datagram.data) {
        if (byte == '\0') {
            data += kZeroMarker;
        } else {
            data += byte;
        }
    }
    log_.AppendLog(data, true);
    log_.AppendLog(kLineEnd, false);
}

void CZelTermDlg::OnRepeatTimer() {
    if (repeat_.repeat && !lastCommand_.empty()) SendCommand(lastCommand_, true);
}

void CZelTermDlg::ApplyRepeatTimer() {
    if (repeat_.repeat) {
        services_.window.SetTimer(kRepeatTimerId, std::max(repeat_.periodMs, kMinRepeatPeriodMs),
                                  [this] { OnRepeatTimer(); });
    } else {
        services_.window.KillTimer(kRepeatTimerId);
    }
}

void CZelTermDlg::PrepareConnectionSetup() {
    if (profile_.serialAvailable) services_.serial.CloseLine();
}

void CZelTermDlg::ApplyConnectionSetup(const ConnectionProfile& edited) {
    profile_.connectionType = edited.connectionType;
    profile_.protocolName = edited.protocolName;
    profile_.serialPort = edited.serialPort;
    profile_.baudRate = edited.baudRate;
    profile_.productIpAddress = edited.productIpAddress;
    profile_.productUdpPort = edited.productUdpPort;
    profile_.localUdpPort = edited.localUdpPort;
    profile_.unitAddress = edited.unitAddress;
    profile_.sendUnitAddress = edited.sendUnitAddress;
    SelectConnection(profile_.connectionType);
}

void CZelTermDlg::ApplyLogSettings(const LogSettings& settings) {
    log_.Settings() = settings;
    Refresh();
    EnableConnectionButtons();
}

void CZelTermDlg::ApplyRepeatSettings(const RepeatSettings& settings) {
    repeat_ = settings;
    ApplyRepeatTimer();
    Refresh();
    EnableConnectionButtons();
}

void CZelTermDlg::ApplyCheckUpdateOnLaunch(uint32_t value) {
    checkUpdateOnLaunch_ = value;
    ApplyRepeatTimer();
    Refresh();
    EnableConnectionButtons();
}

void CZelTermDlg::Refresh() {
    if (view_) view_->RefreshControls();
}

void CZelTermDlg::Close() {
    if (ended_) return;
    services_.window.KillTimer(kRepeatTimerId);
    sheet_.Close();
    if (!SaveSettings()) {
        services_.window.MessageBox(kSettingsNotSaved, "ZelTerm", MessageButtons::Ok,
                                    MessageIcon::Warning);
    }
    ended_ = true;
}

}  // namespace zel
