#include "app/zelctl/script_services.h"

namespace zel::ctl {

long InertSerialPort::OpenForWindow(const std::string&, EventHandler) {
    if (open_) return serial_error::kAlreadyInitialized;
    open_ = true;
    return 0;
}

long InertSerialPort::CloseLine() {
    open_ = false;
    return 0;
}

long InertSerialPort::ReadBytes(char*, size_t, size_t* readCount) {
    if (readCount) *readCount = 0;
    return 0;
}

bool InertUsbLink::WriteData(std::string_view bytes, size_t* written) {
    if (written) *written = bytes.size();
    return true;
}

}  // namespace zel::ctl

namespace zel::ctl {

namespace {

class MemorySettingsKey : public ISettingsKey {
  public:
    explicit MemorySettingsKey(std::map<std::string, std::string>& values) : values_(values) {}
    std::optional<std::string> ReadValue(const std::string& name) override {
        auto found = values_.find(name);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    bool WriteText(const std::string& name, const std::string& text) override {
        values_[name] = text;
        return true;
    }
    bool WriteNumber(const std::string& name, uint32_t value) override {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        values_[name] = bytes;
        return true;
    }
    bool DeleteValue(const std::string& name) override { return values_.erase(name) > 0; }

  private:
    std::map<std::string, std::string>& values_;
};

}  // namespace

std::unique_ptr<ISettingsKey> MemorySettingsStore::OpenForRead() {
    return std::make_unique<MemorySettingsKey>(values_);
}

}  // namespace zel::ctl
