// The values that survive between runs: read once at start, written when the operator changes
// the product or the connection, and at close.
#include <string>

#include "terminal/zelterm_dlg.h"

namespace zel {

namespace {

// Texts longer than the reader's buffer are ignored, as numbers stored in more than 4 bytes.
constexpr size_t kTextBufferBytes = 160;
constexpr size_t kNumberBytes = 4;
constexpr uint32_t kLocalPortWhenKeyExists = 10000;
constexpr uint32_t kProductPortWhenMissing = 2638;

std::optional<std::string> ReadText(ISettingsKey& key, const char* name) {
    std::optional<std::string> stored = key.ReadValue(name);
    if (!stored || stored->size() >= kTextBufferBytes) return std::nullopt;
    return stored;
}

std::optional<uint32_t> ReadNumber(ISettingsKey& key, const char* name) {
    std::optional<std::string> stored = key.ReadValue(name);
    if (!stored || stored->size() > kNumberBytes) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < stored->size(); ++i) {
        value |= uint32_t(static_cast<unsigned char>((*stored)[i])) << (8 * i);
    }
    return value;
}

// The log's settings, in values of their own beside the ten of the connection.
struct LogFlag {
    const char* name;
    bool LogSettings::*field;
};
constexpr LogFlag kLogFlags[] = {
    {"LogDetails", &LogSettings::showDetails},
    {"LogTimeStamp", &LogSettings::showTimeStamp},
    {"LogTimeStampMilliseconds", &LogSettings::stampMilliseconds},
    {"LogTimeStampDate", &LogSettings::stampDate},
};
constexpr const char* kLogMode = "LogMode";
constexpr const char* kLogToFile = "LogToFile";
constexpr const char* kLogFilePath = "LogFilePath";
constexpr const char* kLogFileRotateKiB = "LogFileRotateKiB";
constexpr const char* kNoReplyValue = "NoReplyMilliseconds";

void ReadLogSettings(ISettingsKey& key, LogSettings& settings) {
    if (auto mode = ReadNumber(key, kLogMode);
        mode && *mode <= static_cast<uint32_t>(LogMode::Hex)) {
        settings.mode = static_cast<LogMode>(*mode);
    }
    for (const LogFlag& flag : kLogFlags) {
        if (auto value = ReadNumber(key, flag.name)) settings.*flag.field = *value != 0;
    }
    if (auto enabled = ReadNumber(key, kLogToFile)) settings.file.enabled = *enabled != 0;
    if (auto path = key.ReadValue(kLogFilePath)) settings.file.path = *path;
    if (auto size = ReadNumber(key, kLogFileRotateKiB)) settings.file.rotateKiB = *size;
}

bool WriteLogSettings(ISettingsKey& key, const LogSettings& settings) {
    bool ok = key.WriteNumber(kLogMode, static_cast<uint32_t>(settings.mode));
    for (const LogFlag& flag : kLogFlags) ok &= key.WriteNumber(flag.name, settings.*flag.field);
    ok &= key.WriteNumber(kLogToFile, settings.file.enabled);
    ok &= key.WriteText(kLogFilePath, settings.file.path);
    ok &= key.WriteNumber(kLogFileRotateKiB, settings.file.rotateKiB);
    return ok;
}

}  // namespace

bool CZelTermDlg::LoadSettings() {
    std::unique_ptr<ISettingsKey> key = services_.settings.OpenForRead();
    if (!key) return false;
    if (auto index = ReadNumber(*key, "Product"); index && *index < productNames_.size()) {
        productListIndex_ = static_cast<int>(*index);
    }
    if (auto connection = ReadNumber(*key, "Connection"); connection && *connection < 3) {
        profile_.connectionType = static_cast<int>(*connection);
    }
    struct TextValue {
        const char* name;
        std::string* field;
        const char* missing;  // what a missing value gives; null keeps the field
    };
    const TextValue texts[] = {
        {"Protocol", &profile_.protocolName, ""},
        {"CustomString", &customString_, ""},
        {"ComPort", &profile_.serialPort, "COM1"},
        {"BaudRate", &profile_.baudRate, nullptr},
        {"ProductIPAddress", &profile_.productIpAddress, kDefaultProductIpAddress},
    };
    for (const TextValue& value : texts) {
        if (!key->ReadValue(value.name)) {
            if (value.missing) *value.field = value.missing;
        } else if (auto text = ReadText(*key, value.name)) {
            *value.field = *text;
        }
    }
    auto readPort = [&](const char* name, uint32_t& field, uint32_t missing) {
        if (!key->ReadValue(name)) {
            field = missing;
        } else if (auto port = ReadNumber(*key, name)) {
            field = *port;
        }
    };
    readPort("LocalUDPPort", profile_.localUdpPort, kLocalPortWhenKeyExists);
    readPort("ProductUDPPort", profile_.productUdpPort, kProductPortWhenMissing);
    if (!key->ReadValue("CheckUpdateOnLaunch")) {
        checkUpdateOnLaunch_ = 1;
    } else if (auto check = ReadNumber(*key, "CheckUpdateOnLaunch")) {
        checkUpdateOnLaunch_ = *check;
    }
    if (auto noReply = ReadNumber(*key, kNoReplyValue)) noReplyMs_ = *noReply;
    ReadLogSettings(*key, log_.Settings());
    ApplyLogFile();
    history_.Load(*key);
    Refresh();
    return true;
}

bool CZelTermDlg::SaveSettings() {
    std::unique_ptr<ISettingsKey> key = services_.settings.OpenOrCreateForWrite();
    if (!key) return false;
    int connection = profile_.connectionType;
    std::string protocol = profile_.protocolName;
    const ProtocolInfo* ethernet = product_ ? product_->CurrentProtocol(kEthernet) : nullptr;
    if (keepStoredEthernet_ && ethernet) {
        connection = kEthernet;
        protocol = ethernet->GetName();
    }
    bool ok = true;
    ok &= key->WriteNumber("Product", static_cast<uint32_t>(productListIndex_));
    ok &= key->WriteNumber("CheckUpdateOnLaunch", checkUpdateOnLaunch_);
    ok &= key->WriteNumber("Connection", static_cast<uint32_t>(connection));
    ok &= key->WriteText("Protocol", protocol);
    ok &= key->WriteText("CustomString", customString_);
    ok &= key->WriteText("ComPort", profile_.serialPort);
    ok &= key->WriteText("BaudRate", profile_.baudRate);
    ok &= key->WriteText("ProductIPAddress", profile_.productIpAddress);
    ok &= key->WriteNumber("LocalUDPPort", profile_.localUdpPort);
    ok &= key->WriteNumber("ProductUDPPort", profile_.productUdpPort);
    ok &= key->WriteNumber(kNoReplyValue, noReplyMs_);
    ok &= WriteLogSettings(*key, log_.Settings());
    ok &= history_.Save(*key);
    return key->Save() && ok;
}

}  // namespace zel
