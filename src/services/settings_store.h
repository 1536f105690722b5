#pragma once
// The persistent store of the terminal's named values: texts and 32-bit numbers under one key.
// A value is read back as the bytes that were stored (a number as 4 little-endian bytes), so a
// reader can apply its own size rules, whatever type was written.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zel {

class ISettingsKey {
  public:
    virtual ~ISettingsKey() = default;
    // The stored bytes, or nothing when the value is missing.
    virtual std::optional<std::string> ReadValue(const std::string& name) = 0;
    virtual bool WriteText(const std::string& name, const std::string& text) = 0;
    virtual bool WriteNumber(const std::string& name, uint32_t value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
    // Keeps what was written: false when the store could not, and then still holds all it held
    // before. Writes that take effect at once have nothing left to keep.
    virtual bool Save() { return true; }
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // Nothing when the key does not exist or cannot be read.
    virtual std::unique_ptr<ISettingsKey> OpenForRead() = 0;
    // Opens the key for writing, creating it when missing; nothing when neither works.
    virtual std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() = 0;
};

}  // namespace zel
