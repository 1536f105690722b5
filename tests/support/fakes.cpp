#include "support/fakes.h"

#include <algorithm>
#include <cstring>

namespace zel::test {

MessageAnswer FakeWindowSystem::MessageBox(const std::string& text, const std::string& caption,
                                           MessageButtons buttons, MessageIcon icon) {
    shown.push_back({text, caption, buttons, icon});
    if (!answers.empty()) {
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void FakeWindowSystem::SetTimer(int id, unsigned periodMs, std::function<void()> onTick) {
    timers[id] = {periodMs, std::move(onTick)};
}

void FakeWindowSystem::RunPosted() {
    while (!posted.empty()) {
        auto work = std::move(posted.front());
        posted.pop_front();
        work();
    }
}

void FakeWindowSystem::Tick(int id) {
    auto found = timers.find(id);
    if (found != timers.end()) found->second.onTick();
}

namespace {

class FakeKey : public ISettingsKey {
  public:
    FakeKey(FakeSettingsStore& store, bool writable) : store_(store), writable_(writable) {}
    std::optional<std::string> ReadValue(const std::string& name) override {
        auto found = store_.values.find(name);
        if (found == store_.values.end()) return std::nullopt;
        return found->second;
    }
    bool WriteText(const std::string& name, const std::string& text) override {
        if (!writable_) return false;
        store_.values[name] = text;
        return true;
    }
    bool WriteNumber(const std::string& name, uint32_t value) override {
        if (!writable_) return false;
        store_.SetNumber(name, value);
        return true;
    }
    bool DeleteValue(const std::string& name) override {
        return writable_ && store_.values.erase(name) == 1;
    }

  private:
    FakeSettingsStore& store_;
    bool writable_;
};

}  // namespace

std::unique_ptr<ISettingsKey> FakeSettingsStore::OpenForRead() {
    if (!keyExists) return nullptr;
    return std::make_unique<FakeKey>(*this, false);
}

std::unique_ptr<ISettingsKey> FakeSettingsStore::OpenOrCreateForWrite() {
    if (!writable) return nullptr;
    keyExists = true;
    return std::make_unique<FakeKey>(*this, true);
}

void FakeSettingsStore::SetNumber(const std::string& name, uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    values[name] = bytes;
}

std::optional<uint32_t> FakeSettingsStore::Number(const std::string& name) const {
    auto found = values.find(name);
    if (found == values.end() || found->second.size() != 4) return std::nullopt;
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t(uint8_t(found->second[i])) << (8 * i);
    return value;
}

ProbeResult FakeSerialPort::ProbePort(const std::string& name) {
    auto found = probe.find(name);
    return found == probe.end() ? ProbeResult::NoSuchDevice : found->second;
}

long FakeSerialPort::OpenForWindow(const std::string& name, EventHandler onEvent) {
    if (IsOpen()) return serial_error::kAlreadyInitialized;
    events.push_back("open " + name);
    if (ProbePort(name) != ProbeResult::Available) return 2;  // file not found
    openName = name;
    handler = std::move(onEvent);
    return 0;
}

long FakeSerialPort::ConfigureLine(uint32_t rate, int dataBits, int parity, int stopBits) {
    if (!IsOpen()) return serial_error::kInvalidHandle;
    baudRate = rate;
    events.push_back("configure " + std::to_string(rate) + "-" + std::to_string(dataBits) + "-" +
                     std::to_string(parity) + "-" + std::to_string(stopBits));
    return 0;
}

long FakeSerialPort::CloseLine() {
    if (IsOpen()) events.push_back("close");
    openName.clear();
    handler = nullptr;
    return 0;
}

int FakeSerialPort::SendEscapedText(std::string_view text) {
    written.emplace_back(text);
    return 1;
}

long FakeSerialPort::ReadBytes(char* buffer, size_t size, size_t* readCount) {
    ++readCalls;
    size_t count = std::min(size, incoming.size());
    std::memcpy(buffer, incoming.data(), count);
    incoming.erase(0, count);
    *readCount = count;
    return IsOpen() ? 0 : serial_error::kInvalidHandle;
}

bool FakeUdpSocket::OpenPort(uint32_t localPort, bool, DatagramHandler onDatagram) {
    events.push_back("open " + std::to_string(localPort));
    if (!bindable || localPort == heldPort) return false;
    open = true;
    boundPort = localPort;
    handler = std::move(onDatagram);
    return true;
}

void FakeUdpSocket::Close() {
    if (open) events.push_back("close");
    open = false;
}

bool FakeUdpSocket::SendText(std::string_view text, const std::string& host, uint32_t port) {
    sent.push_back({std::string(text), host, port, false});
    return open;
}

bool FakeUdpSocket::SendZelnetFrame(std::string_view text, const std::string& host, uint32_t port) {
    sent.push_back({std::string(text), host, port, true});
    return open;
}

bool FakeUsbLink::OpenDevice() {
    ++opens;
    open = present;
    return open;
}

bool FakeUsbLink::WriteData(std::string_view bytes, size_t* written) {
    if (!open) return false;
    if (failWrites > 0) {
        --failWrites;
        open = false;
        return false;
    }
    this->written.emplace_back(bytes);
    if (written) *written = bytes.size();
    return true;
}

bool FakeUsbLink::ReadData(std::string& reply, size_t bufferSize, int) {
    if (!open || !replyBytes || replyBytes->empty() || replyBytes->size() > bufferSize) {
        return false;
    }
    reply += *replyBytes;
    return true;
}

std::optional<int> FakeUpdateLauncher::RunChecker(int timeoutMs) {
    ++checkerRuns;
    lastTimeoutMs = timeoutMs;
    return exitCode;
}

}  // namespace zel::test
