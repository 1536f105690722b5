#pragma once
// One registry key of named texts and numbers under HKEY_CURRENT_USER, read whole and replaced
// whole. A save writes a complete copy to a sibling key first and marks it complete; only then
// does it change the key itself and drop the copy. A save cut short before the mark leaves the
// key as it was; one cut short after it is finished by the next load. So a load finds either
// the previous values or the new ones, never a mixture.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace zel {

struct RegistryValue {
    bool isNumber = false;
    std::string text;  // UTF-8; bytes that are not are kept as they are
    uint32_t number = 0;

    bool operator==(const RegistryValue&) const = default;
};
using RegistryValues = std::map<std::string, RegistryValue>;

class RegistrySettings {
  public:
    // keyPath under HKEY_CURRENT_USER; machineKeyPath under HKEY_LOCAL_MACHINE, where earlier
    // installations kept the settings (their 32-bit view is looked at as well) and an
    // administrator may preset them.
    RegistrySettings(std::string keyPath, std::string machineKeyPath);

    // The user's values; while the user has no key yet, those under HKEY_LOCAL_MACHINE. Nothing
    // when neither key exists or can be read.
    std::optional<RegistryValues> Load();
    // Makes the user's key hold exactly these values. False when it could not: then the key
    // reads as it did, or, when only the last step failed, the next Load finishes the save.
    bool Store(const RegistryValues& values);

    // The sibling key a save writes its copy to.
    static std::string SavingKeyPath(const std::string& keyPath);

  private:
    std::string keyPath_;
    std::string machineKeyPath_;
};

}  // namespace zel
