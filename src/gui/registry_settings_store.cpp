#include "gui/registry_settings_store.h"

#include <cstdlib>

namespace zel {

namespace {

std::string KeyPathFromEnvironment() {
    const char* path = std::getenv("ZELTERM_SETTINGS");
    return path && *path ? path : RegistrySettingsStore::kKeyPath;
}

// The key's values in memory; a writable key puts them back whole when saved.
class RegistryKey : public ISettingsKey {
  public:
    RegistryKey(RegistryValues values, RegistrySettings* writeTo)
        : values_(std::move(values)), writeTo_(writeTo) {}
    ~RegistryKey() override { Save(); }

    std::optional<std::string> ReadValue(const std::string& name) override {
        auto found = values_.find(name);
        if (found == values_.end()) return std::nullopt;
        if (!found->second.isNumber) return found->second.text;
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>((found->second.number >> (8 * i)) & 0xFF);
        return bytes;
    }

    bool WriteText(const std::string& name, const std::string& text) override {
        return Change([&] { values_[name] = RegistryValue{false, text, 0}; });
    }

    bool WriteNumber(const std::string& name, uint32_t value) override {
        return Change([&] { values_[name] = RegistryValue{true, {}, value}; });
    }

    bool DeleteValue(const std::string& name) override {
        return values_.contains(name) && Change([&] { values_.erase(name); });
    }

    bool Save() override {
        if (!writeTo_) return false;
        if (!pending_) return saved_;
        pending_ = false;
        saved_ = writeTo_->Store(values_);
        return saved_;
    }

  private:
    template <typename Edit>
    bool Change(Edit edit) {
        if (!writeTo_) return false;
        edit();
        pending_ = true;
        return true;
    }

    RegistryValues values_;
    RegistrySettings* writeTo_;  // none when only reading
    bool pending_ = false;
    bool saved_ = true;
};

}  // namespace

RegistrySettingsStore::RegistrySettingsStore() : RegistrySettingsStore(KeyPathFromEnvironment()) {}

std::unique_ptr<ISettingsKey> RegistrySettingsStore::OpenForRead() {
    auto values = registry_.Load();
    if (!values) return nullptr;
    return std::make_unique<RegistryKey>(std::move(*values), nullptr);
}

std::unique_ptr<ISettingsKey> RegistrySettingsStore::OpenOrCreateForWrite() {
    // Writing starts from what a read would find, the machine's values for a new user included.
    return std::make_unique<RegistryKey>(registry_.Load().value_or(RegistryValues{}), &registry_);
}

}  // namespace zel
