#include "terminal/zelterm_dlg.h"

#include <algorithm>

#include "services/custom_string.h"
#include "services/framing.h"
#include "services/time_stamp.h"
#include "terminal/send_preview.h"
#include "terminal/update_check.h"

namespace zel {

namespace {

const std::string kLineEnd = "\r\n";

// Where the first line of `bytes` ends: after a run of carriage returns with the line feed that
// may follow it, or after a lone line feed; npos when the line goes on.
size_t EndOfFirstLine(std::string_view bytes) {
    size_t at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos || bytes[at] == '\n') {
        return at == std::string_view::npos ? at : at + 1;
    }
    at = bytes.find_first_not_of('\r', at);
    if (at == std::string_view::npos) return bytes.size();
    return bytes[at] == '\n' ? at + 1 : at;
}

}  // namespace

CZelTermDlg::CZelTermDlg(const TerminalServices& services)
    : services_(services), pcClock_(services.clock) {}

CZelTermDlg::~CZelTermDlg() {
    services_.window.KillTimer(kRepeatTimerId);
    services_.window.KillTimer(kNoReplyTimerId);
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
    const uint32_t probedLocalPort = profile_.localUdpPort;
    LoadSettings();
    // The default local port was probed before the settings were read: a stored local port that
    // is free makes Ethernet usable although another program holds the default one.
    if (!profile_.ethernetAvailable && profile_.localUdpPort != probedLocalPort &&
        LocalPortFree(profile_.localUdpPort)) {
        profile_.ethernetAvailable = true;
        ethernetProblem_.clear();
    }
    if (!ethernetProblem_.empty()) log_.AppendLog(ethernetProblem_ + "\r\n", false);
    storedConnection_ = profile_.connectionType;
    keepStoredEthernet_ = profile_.connectionType == kEthernet && !profile_.ethernetAvailable;
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
    Send(text, appendCR);
}

bool CZelTermDlg::Send(std::string_view text, bool appendCR) {
    if (traffic_) traffic_->OnSending(text, appendCR);
    const bool tried = !text.empty() && !ended_;
    // Armed before the send, so that a reply read within it (USB) ends the wait.
    if (tried) AwaitReply(text, appendCR);
    bool wentOut = tried && SendFramed(text, appendCR);
    if (tried && !wentOut) services_.window.KillTimer(kNoReplyTimerId);
    if (traffic_) traffic_->OnSendEnded(wentOut);
    // Nothing goes out for an empty command, and nothing failed either.
    return wentOut || (text.empty() && !ended_);
}

std::string CZelTermDlg::FramedCommand(std::string_view text, bool appendCR) const {
    return FrameCommand(text, appendCR, profile_.sendUnitAddress, profile_.unitAddress);
}

bool CZelTermDlg::SendFramed(std::string_view text, bool appendCR) {
    TakeLastCommand(text, appendCR);
    std::string framed = FramedCommand(text, appendCR);
    switch (profile_.connectionType) {
        case kSerial:
            return SendOnSerial(framed);
        case kEthernet:
            return SendOnEthernet(framed);
        default:
            return SendOnUsb(framed);
    }
}

void CZelTermDlg::AppendTimeStamp() {
    if (!log_.Settings().showTimeStamp) return;
    log_.AppendLog(FormatTimeStamp(services_.clock.Now(), log_.Settings()), false);
}

void CZelTermDlg::AppendSentLine(const std::string& header, const std::string& framed) {
    AppendTimeStamp();
    if (log_.Settings().showDetails) log_.AppendLog(header, false);
    log_.AppendLog(framed, true);
    log_.AppendLog(kLineEnd, false);
}

bool CZelTermDlg::SendOnSerial(const std::string& framed) {
    if (!services_.serial.IsOpen()) {
        serialOpenError_ = 0;
        SelectConnection(kSerial);
        if (!services_.serial.IsOpen()) {
            const std::string reason = serialOpenError_ != 0
                                           ? services_.serial.DescribeError(serialOpenError_)
                                           : "serial is not available";
            LogSerialFailure("Message not sent! Unable to open selected port " +
                             profile_.serialPort + ": " + reason);
            return false;
        }
        if (serialFailure_.Running()) {
            EndSerialFailureRun();
            LogStampedLine("Serial port " + profile_.serialPort + " is open again");
        }
    }
    if (!lineStart_) log_.AppendLog(kLineEnd, false);
    services_.serial.SendEscapedText(framed);
    lineStart_ = true;
    AppendSentLine("Sent (" + profile_.serialPort + "):  ", framed);
    return true;
}

void CZelTermDlg::LogSerialFailure(const std::string& message) {
    if (serialFailure_.Repeats(message)) return;
    EndSerialFailureRun();
    serialFailure_.Start(message);
    LogStampedLine(message);
}

void CZelTermDlg::EndSerialFailureRun() {
    const std::string summary = serialFailure_.End();
    if (!summary.empty()) LogStampedLine(summary);
}

// Failures and their end carry a time stamp whatever the log shows for the traffic.
void CZelTermDlg::LogStampedLine(const std::string& text) {
    if (!lineStart_) log_.AppendLog(kLineEnd, false);
    lineStart_ = true;
    log_.AppendLog(FormatTimeStamp(services_.clock.Now(), log_.Settings()) + text + kLineEnd,
                   false);
}

bool CZelTermDlg::SendOnEthernet(const std::string& framed) {
    // The port may have been held by another program when it was chosen.
    if (!services_.udp.IsOpen() && !OpenUdpForWindow()) {
        log_.AppendLog("Message not sent! Unable to open UDP port " +
                           std::to_string(profile_.localUdpPort) + "!\r\n",
                       false);
        return false;
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
        return false;
    }
    bool sent =
        zelnet ? services_.udp.SendZelnetFrame(framed, profile_.productIpAddress,
                                               profile_.productUdpPort)
               : services_.udp.SendText(framed, profile_.productIpAddress, profile_.productUdpPort);
    if (!sent) {
        log_.AppendLog("Message not sent! The datagram could not be sent to " +
                           profile_.productIpAddress + ".\r\n",
                       false);
        return false;
    }
    lineStart_ = true;
    AppendSentLine("Sent (" + profile_.productIpAddress + "):  ", framed);
    return true;
}

bool CZelTermDlg::SendOnUsb(const std::string& framed) {
    IUsbLink& usb = services_.usb;
    if (!usb.IsOpen() && !usb.OpenDevice()) {
        log_.AppendLog("Error Init USB. Re-install drivers or re-connect device.", false);
        log_.AppendLog(kLineEnd, false);
        if (usb.AccessDenied()) log_.AppendLog(kUsbAccessDenied, false);
        usb.CloseDevice();
        return false;
    }
    if (!usb.WriteData(framed, nullptr)) {
        usb.CloseDevice();
        if (!usb.OpenDevice() || !usb.WriteData(framed, nullptr)) {
            log_.AppendLog("Error Writting using USB. Re-install drivers or re-connect device.",
                           false);
            log_.AppendLog(kLineEnd, false);
            usb.CloseDevice();
            return false;
        }
    }
    if (log_.Settings().showDetails) log_.AppendLog("Sent (USB):  ", false);
    log_.AppendLog(framed, true);
    log_.AppendLog(kLineEnd, false);
    std::string reply;
    if (usb.ReadData(reply, kUsbReplyBytes, kUsbReadAttempts) && !reply.empty()) {
        if (traffic_) traffic_->OnReceived(reply);
        ReplyArrived();
        log_.AppendLog("Received (USB):  ", false);
        log_.AppendLog(reply, true);
        log_.AppendLog(kLineEnd, false);
    }
    usb.CloseDevice();
    return true;
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
    char buffer[kSerialReadChunk];
    size_t count = 0;
    do {
        count = 0;
        if (services_.serial.ReadBytes(buffer, sizeof buffer, &count) != 0) count = 0;
        if (count == 0) break;
        const std::string_view bytes(buffer, count);
        if (traffic_) traffic_->OnReceived(bytes);
        ReplyArrived();
        LogReceivedLines(bytes);
    } while (count == sizeof buffer);
}

// However the reads cut the bytes, each received line is one log line with its own header.
void CZelTermDlg::LogReceivedLines(std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t end = EndOfFirstLine(bytes);
        if (lineStart_) {
            lineStart_ = false;
            AppendTimeStamp();
            if (log_.Settings().showDetails) {
                log_.AppendLog("Received (" + profile_.serialPort + "): ", false);
            }
        }
        log_.AppendReceived(bytes.substr(0, end));
        if (end == std::string_view::npos) return;
        log_.AppendLog(kLineEnd, false);
        lineStart_ = true;
        bytes.remove_prefix(end);
    }
}

void CZelTermDlg::OnUdpReceive(const ReceivedDatagram& datagram) {
    if (datagram.droppedBefore > 0) {
        log_.AppendLog(
            std::to_string(datagram.droppedBefore) + std::string(kDatagramsDropped) + kLineEnd,
            false);
    }
    if (datagram.onlyDropNotice) return;
    if (traffic_) traffic_->OnReceived(datagram.data);
    ReplyArrived();
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

// The repeat's status names the last command, so a new one is shown as it goes out.
void CZelTermDlg::TakeLastCommand(std::string_view text, bool appendCR) {
    if (lastCommand_ == text && lastAppendCR_ == appendCR) return;
    lastCommand_ = std::string(text);
    lastAppendCR_ = appendCR;
    if (repeat_.repeat) Refresh();
}

void CZelTermDlg::AwaitReply(std::string_view text, bool appendCR) {
    SetReplyStatus({});
    if (noReplyMs_ == 0) {
        services_.window.KillTimer(kNoReplyTimerId);
        return;
    }
    std::string status = NoReplyText(FramedCommand(text, appendCR), noReplyMs_);
    services_.window.SetTimer(kNoReplyTimerId, noReplyMs_, [this, status] { OnNoReply(status); });
}

// Takes its own copy of the status: killing the timer ends the closure that holds it.
void CZelTermDlg::OnNoReply(std::string status) {
    services_.window.KillTimer(kNoReplyTimerId);
    SetReplyStatus(status);
    if (traffic_) traffic_->OnNoReply(status);
}

void CZelTermDlg::ReplyArrived() {
    services_.window.KillTimer(kNoReplyTimerId);
    SetReplyStatus({});
}

void CZelTermDlg::SetReplyStatus(std::string status) {
    if (replyStatus_ == status) return;
    replyStatus_ = std::move(status);
    Refresh();
}

void CZelTermDlg::ApplyNoReplyMs(uint32_t ms) {
    noReplyMs_ = ms;
    if (ms == 0) ReplyArrived();
}

void CZelTermDlg::OnRepeatTimer() {
    if (!repeat_.repeat || lastCommand_.empty()) return;
    // Only what went out counts: a lost port must not use up the operator's sends.
    if (Send(lastCommand_, lastAppendCR_)) ++repeatsSent_;
    if (repeat_.stopAfter && repeatsSent_ >= *repeat_.stopAfter) StopRepeat();
}

void CZelTermDlg::StopRepeat() {
    RepeatSettings stopped = repeat_;
    stopped.repeat = false;
    ApplyRepeatSettings(stopped);
}

std::string CZelTermDlg::RepeatStatus() const {
    if (!repeat_.repeat || lastCommand_.empty()) return {};
    return "Repeating " +
           RenderLogPiece(FramedCommand(lastCommand_, lastAppendCR_), true, LogMode::Mixed) +
           " every " + std::to_string(RepeatPeriodMs()) + " ms";
}

uint32_t CZelTermDlg::RepeatPeriodMs() const {
    return std::max(repeat_.periodMs, kMinRepeatPeriodMs);
}

void CZelTermDlg::ApplyRepeatTimer() {
    if (repeat_.repeat) {
        services_.window.SetTimer(kRepeatTimerId, RepeatPeriodMs(), [this] { OnRepeatTimer(); });
    } else {
        services_.window.KillTimer(kRepeatTimerId);
    }
}

void CZelTermDlg::PrepareConnectionSetup() {
    if (profile_.serialAvailable) services_.serial.CloseLine();
}

bool CZelTermDlg::LocalPortFree(uint32_t port) {
    if (!services_.udp.OpenPort(port, true, [](const ReceivedDatagram&) {})) return false;
    services_.udp.Close();
    return true;
}

void CZelTermDlg::ApplyConnectionSetup(const ConnectionProfile& edited) {
    UseConnectionProfile(edited);
    SaveAndTellOnce();
}

void CZelTermDlg::UseConnectionProfile(const ConnectionProfile& edited) {
    profile_.connectionType = edited.connectionType;
    profile_.protocolName = edited.protocolName;
    profile_.serialPort = edited.serialPort;
    profile_.baudRate = edited.baudRate;
    profile_.productIpAddress = edited.productIpAddress;
    profile_.productUdpPort = edited.productUdpPort;
    profile_.localUdpPort = edited.localUdpPort;
    profile_.unitAddress = edited.unitAddress;
    profile_.sendUnitAddress = edited.sendUnitAddress;
    // The dialog read the ports again and may have found a free local port.
    profile_.serialAvailable = edited.serialAvailable;
    if (edited.ethernetAvailable && !profile_.ethernetAvailable) {
        profile_.ethernetAvailable = true;
        ethernetProblem_.clear();
    }
    if (!ethernetProblem_.empty()) log_.AppendLog(ethernetProblem_ + "\r\n", false);
    keepStoredEthernet_ = false;
    EndSerialFailureRun();
    SelectConnection(profile_.connectionType);
}

void CZelTermDlg::OnConnectionChosen(int type) {
    keepStoredEthernet_ = false;
    SelectConnection(type);
    SaveAndTellOnce();
}

void CZelTermDlg::ApplyLogSettings(const LogSettings& settings) {
    log_.Settings() = settings;
    ApplyLogFile();
    Refresh();
    EnableConnectionButtons();
}

bool CZelTermDlg::ApplyLogFile() {
    return !recorder_ || recorder_->Apply(log_.Settings().file);
}

void CZelTermDlg::ApplyRepeatSettings(const RepeatSettings& settings) {
    EndSerialFailureRun();
    repeat_ = settings;
    repeatsSent_ = 0;
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
    services_.window.KillTimer(kNoReplyTimerId);
    sheet_.Close();
    SaveAndTellOnce();
    ended_ = true;
}

void CZelTermDlg::SaveAndTellOnce() {
    if (SaveSettings() || toldNotSaved_) return;
    toldNotSaved_ = true;
    services_.window.MessageBox(kSettingsNotSaved, "ZelTerm", MessageButtons::Ok,
                                MessageIcon::Warning);
}

}  // namespace zel
