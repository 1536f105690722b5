// Feeds arbitrary bytes to the OS descriptor parsers, and lets a fake device answer the
// interface finder's control requests with fuzzer-chosen descriptors.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fuzz_check.h"
#include "transport/usb_interface_finder.h"
#include "transport/usb_os_descriptors.h"
#include "transport/zel_usb.h"

namespace {

using zel::fuzz::Require;
constexpr std::string_view kGuid = zel::kZelUsbInterfaceGuid;

void ParseAll(zel::UsbBytes bytes) {
    zel::BosTotalLength(bytes);
    if (const auto location = zel::FindMsOs20Set(bytes)) {
        Require(bytes.size() >= 5 + 28, "an OS 2.0 set found in a BOS too short to hold one");
    }
    zel::FindGuidInMsOs20Set(bytes, kGuid);
    if (zel::MsOs10VendorCode(bytes)) Require(bytes.size() >= 0x12, "a short OS string taken");
    zel::ExtendedPropertiesLength(bytes);
    zel::ExtendedPropertiesHoldGuid(bytes, kGuid);
}

// Bytes beyond the length a descriptor announces are not part of it.
void CheckTrailingBytesIgnored(const std::vector<uint8_t>& bytes) {
    const auto total = zel::BosTotalLength(bytes);
    if (!total || bytes.size() < *total) return;
    const zel::UsbBytes announced(bytes.data(), *total);
    const auto whole = zel::FindMsOs20Set(bytes);
    const auto cut = zel::FindMsOs20Set(announced);
    Require(whole.has_value() == cut.has_value() &&
                (!whole ||
                 (whole->vendorCode == cut->vendorCode && whole->totalLength == cut->totalLength)),
            "bytes past the BOS's total length changed what it says");
}

// Answers each control request with the next fuzzer-chosen descriptor, cut to the length asked.
class AnsweringDevice : public zel::IUsbDevice {
  public:
    explicit AnsweringDevice(FuzzedDataProvider& input) : input_(input) {}

    std::optional<std::vector<uint8_t>> ControlIn(const zel::UsbControlSetup& setup,
                                                  unsigned) override {
        if (input_.remaining_bytes() == 0 || !input_.ConsumeBool()) return std::nullopt;
        std::vector<uint8_t> answer =
            input_.ConsumeBytes<uint8_t>(input_.ConsumeIntegralInRange<size_t>(0, 600));
        if (answer.size() > setup.length) answer.resize(setup.length);
        return answer;
    }
    bool ClaimInterface(uint8_t) override { return true; }
    std::vector<zel::UsbEndpoint> Endpoints(uint8_t) override { return {}; }
    uint8_t Speed() override { return 3; }
    bool Transfer(const zel::UsbEndpoint&, uint8_t*, size_t, size_t& transferred,
                  unsigned) override {
        transferred = 0;
        return false;
    }

  private:
    FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    ParseAll(bytes);
    CheckTrailingBytesIgnored(bytes);
    FuzzedDataProvider input(data, size);
    AnsweringDevice device(input);
    zel::InterfaceWithGuid(device, kGuid);
    return 0;
}
