#include "transport/windows/registry_settings.h"

#include <windows.h>

#include <vector>

#include "transport/windows/win_handles.h"

namespace zel {

namespace {

class Key {
  public:
    Key() = default;
    explicit Key(HKEY handle) : handle_(handle) {}
    ~Key() {
        if (handle_) RegCloseKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    static Key Open(HKEY root, const std::string& path, REGSAM view = 0) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root, win::Widen(path).c_str(), 0, KEY_READ | view, &handle) !=
            ERROR_SUCCESS)
            return Key();
        return Key(handle);
    }
    static Key Create(HKEY root, const std::string& path) {
        HKEY handle = nullptr;
        if (RegCreateKeyExW(root, win::Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
            return Key();
        return Key(handle);
    }

    HKEY Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HKEY handle_ = nullptr;
};

bool ValidUtf8(const std::string& text) {
    return text.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                               int(text.size()), nullptr, 0) > 0;
}

// Texts as REG_EXPAND_SZ without a terminating zero; bytes that are no UTF-8 text as REG_BINARY,
// so that nothing stored is changed.
bool WriteValue(HKEY key, const std::string& name, const RegistryValue& value) {
    const std::wstring wideName = win::Widen(name);
    LSTATUS result;
    if (value.isNumber) {
        DWORD number = value.number;
        result = RegSetValueExW(key, wideName.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&number), sizeof number);
    } else if (ValidUtf8(value.text)) {
        std::wstring text = win::Widen(value.text);
        result = RegSetValueExW(key, wideName.c_str(), 0, REG_EXPAND_SZ,
                                reinterpret_cast<const BYTE*>(text.data()),
                                DWORD(text.size() * sizeof(wchar_t)));
    } else {
        result = RegSetValueExW(key, wideName.c_str(), 0, REG_BINARY,
                                reinterpret_cast<const BYTE*>(value.text.data()),
                                DWORD(value.text.size()));
    }
    return result == ERROR_SUCCESS;
}

std::optional<RegistryValue> ValueFrom(DWORD type, const std::vector<BYTE>& data, DWORD size) {
    RegistryValue value;
    switch (type) {
        case REG_DWORD:
            if (size != sizeof(DWORD)) return std::nullopt;
            value.isNumber = true;
            value.number = *reinterpret_cast<const DWORD*>(data.data());
            return value;
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                              size / sizeof(wchar_t));
            // Values written elsewhere usually end with a zero; ours do not.
            if (!text.empty() && text.back() == L'\0') text.pop_back();
            value.text = win::Narrow(text);
            return value;
        }
        case REG_BINARY:
            value.text.assign(reinterpret_cast<const char*>(data.data()), size);
            return value;
        default:
            return std::nullopt;
    }
}

// Every value of the key, by name; the default value (the completeness mark) left out.
std::optional<RegistryValues> ReadAll(HKEY key) {
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValues values;
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(longestData + sizeof(wchar_t));
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = DWORD(name.size());
        DWORD size = DWORD(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS)
            return std::nullopt;
        if (nameLength == 0) continue;
        if (auto value = ValueFrom(type, data, size))
            values[win::Narrow(name.substr(0, nameLength))] = std::move(*value);
    }
    return values;
}

bool Flushed(HKEY key) {
    return RegFlushKey(key) == ERROR_SUCCESS;
}

// Writes the values into the key and deletes those it holds beyond them.
bool Replace(HKEY key, const RegistryValues& values) {
    auto held = ReadAll(key);
    if (!held) return false;
    for (const auto& [name, value] : *held) {
        if (!values.contains(name) &&
            RegDeleteValueW(key, win::Widen(name).c_str()) != ERROR_SUCCESS)
            return false;
    }
    for (const auto& [name, value] : values) {
        if (!WriteValue(key, name, value)) return false;
    }
    return Flushed(key);
}

void DeleteTree(const std::string& path) {
    RegDeleteTreeW(HKEY_CURRENT_USER, win::Widen(path).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, win::Widen(path).c_str());
}

bool MarkedComplete(HKEY copy) {
    DWORD mark = 0, size = sizeof mark, type = 0;
    return RegQueryValueExW(copy, L"", nullptr, &type, reinterpret_cast<BYTE*>(&mark), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && mark == 1;
}

}  // namespace

RegistrySettings::RegistrySettings(std::string keyPath, std::string machineKeyPath)
    : keyPath_(std::move(keyPath)), machineKeyPath_(std::move(machineKeyPath)) {}

std::string RegistrySettings::SavingKeyPath(const std::string& keyPath) {
    return keyPath + " (saving)";
}

std::optional<RegistryValues> RegistrySettings::Load() {
    const std::string savingPath = SavingKeyPath(keyPath_);
    if (Key copy = Key::Open(HKEY_CURRENT_USER, savingPath)) {
        // A save was cut short: a complete copy holds the values it was saving.
        std::optional<RegistryValues> saved =
            MarkedComplete(copy.Get()) ? ReadAll(copy.Get()) : std::nullopt;
        if (saved) {
            Key key = Key::Create(HKEY_CURRENT_USER, keyPath_);
            if (!key || !Replace(key.Get(), *saved)) return saved;  // the copy stays for later
        }
        DeleteTree(savingPath);
        if (saved) return saved;
    }
    if (Key key = Key::Open(HKEY_CURRENT_USER, keyPath_)) return ReadAll(key.Get());
    for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_32KEY)}) {
        if (Key machine = Key::Open(HKEY_LOCAL_MACHINE, machineKeyPath_, view))
            return ReadAll(machine.Get());
    }
    return std::nullopt;
}

bool RegistrySettings::Store(const RegistryValues& values) {
    const std::string savingPath = SavingKeyPath(keyPath_);
    DeleteTree(savingPath);
    {
        Key copy = Key::Create(HKEY_CURRENT_USER, savingPath);
        if (!copy) return false;
        for (const auto& [name, value] : values) {
            if (!WriteValue(copy.Get(), name, value)) {
                DeleteTree(savingPath);
                return false;
            }
        }
        const DWORD complete = 1;
        if (!Flushed(copy.Get()) ||
            RegSetValueExW(copy.Get(), L"", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&complete),
                           sizeof complete) != ERROR_SUCCESS ||
            !Flushed(copy.Get())) {
            DeleteTree(savingPath);
            return false;
        }
    }
    Key key = Key::Create(HKEY_CURRENT_USER, keyPath_);
    // From here on the copy is what the key holds, even if the change below stops halfway.
    if (!key || !Replace(key.Get(), values)) return false;
    DeleteTree(savingPath);
    return true;
}

}  // namespace zel
