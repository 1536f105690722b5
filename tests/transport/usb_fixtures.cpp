#include "transport/usb_fixtures.h"

#include <algorithm>

namespace zel::test {
namespace {

void Append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

Bytes Le16(size_t value) {
    return {uint8_t(value), uint8_t(value >> 8)};
}

Bytes Le32(size_t value) {
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

// With terminating NULs: one for a string, two for the end of a list.
Bytes Utf16Le(std::string_view text, int terminators) {
    Bytes bytes;
    for (char c : text) Append(bytes, {uint8_t(c), 0});
    for (int i = 0; i < terminators; ++i) Append(bytes, {0, 0});
    return bytes;
}

constexpr uint8_t kRequestGetDescriptor = 0x06;

}  // namespace

Bytes MsOs20Bos(uint16_t setLength) {
    Bytes bos{0x05, 0x0F, 0x28, 0x00, 0x02,              // header: 40 bytes, two capabilities
              0x07, 0x10, 0x02, 0x06, 0x00, 0x00, 0x00,  // USB 2.0 extension
              0x1C, 0x10, 0x05, 0x00,                    // platform capability
              0xDF, 0x60, 0xDD, 0xD8, 0x89, 0x45, 0xC7, 0x4C, 0x9C, 0xD2,
              0x65, 0x9D, 0x9E, 0x64, 0x8A, 0x9F, 0x00, 0x00, 0x03, 0x06};  // Windows 8.1 and later
    Append(bos, Le16(setLength));
    Append(bos, {kOs20VendorCode, 0x00});
    return bos;
}

Bytes MsOs20Set(std::string_view guid, std::optional<uint8_t> functionInterface) {
    Bytes compatibleId{0x14, 0x00, 0x03, 0x00, 'W', 'I', 'N', 'U', 'S', 'B',
                       0,    0,    0,    0,    0,   0,   0,   0,   0,   0};
    const Bytes name = Utf16Le("DeviceInterfaceGUIDs", 1);
    const Bytes data = Utf16Le(guid, 2);
    Bytes property = Le16(10 + name.size() + data.size());
    Append(property, {0x04, 0x00, 0x07, 0x00});  // registry property, REG_MULTI_SZ
    Append(property, Le16(name.size()));
    Append(property, name);
    Append(property, Le16(data.size()));
    Append(property, data);

    Bytes features = compatibleId;
    Append(features, property);
    if (functionInterface) {
        Bytes function{0x08, 0x00, 0x02, 0x00, *functionInterface, 0x00};
        Append(function, Le16(8 + features.size()));
        Append(function, features);
        Bytes configuration{0x08, 0x00, 0x01, 0x00, 0x00, 0x00};
        Append(configuration, Le16(8 + function.size()));
        Append(configuration, function);
        features = configuration;
    }
    Bytes set{0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x06};
    Append(set, Le16(10 + features.size()));
    Append(set, features);
    return set;
}

Bytes MsOs10String(uint8_t vendorCode) {
    Bytes string{0x12, 0x03};
    Append(string, Utf16Le("MSFT100", 0));
    Append(string, {vendorCode, 0x00});
    return string;
}

Bytes ExtendedProperties(std::string_view guid) {
    const Bytes name = Utf16Le("DeviceInterfaceGUID", 1);
    const Bytes data = Utf16Le(guid, 1);
    Bytes property = Le32(14 + name.size() + data.size());
    Append(property, Le32(1));  // REG_SZ
    Append(property, Le16(name.size()));
    Append(property, name);
    Append(property, Le32(data.size()));
    Append(property, data);
    Bytes descriptor = Le32(10 + property.size());
    Append(descriptor, {0x00, 0x01, 0x05, 0x00, 0x01, 0x00});
    Append(descriptor, property);
    return descriptor;
}

void UsbControlModel::Answer(const UsbControlSetup& request, Bytes answer) {
    answers_[{request.requestType, request.request, request.value, request.index}] =
        std::move(answer);
}

std::optional<Bytes> UsbControlModel::Respond(const UsbControlSetup& setup) const {
    const auto found = answers_.find({setup.requestType, setup.request, setup.value, setup.index});
    if (found == answers_.end()) return std::nullopt;
    Bytes answer = found->second;
    answer.resize(std::min<size_t>(answer.size(), setup.length));
    return answer;
}

UsbControlModel DeviceWithOs20Guid(std::string_view guid) {
    const Bytes set = MsOs20Set(guid);
    UsbControlModel model;
    model.Answer({0x80, kRequestGetDescriptor, 0x0F00, 0, 0}, MsOs20Bos(uint16_t(set.size())));
    model.Answer({0xC0, kOs20VendorCode, 0, 7, 0}, set);
    return model;
}

UsbControlModel DeviceWithOs10Guid(std::string_view guid) {
    UsbControlModel model;
    model.Answer({0x80, kRequestGetDescriptor, 0x03EE, 0, 0}, MsOs10String(kOs10VendorCode));
    model.Answer({0xC1, kOs10VendorCode, 0, 5, 0}, ExtendedProperties(guid));
    return model;
}

UsbControlModel DeviceWithoutOsDescriptors() {
    return {};
}

}  // namespace zel::test
