// Opens the products' USB link on a fake device whose bulk IN pipe answers with fuzzer-chosen
// transfers, then reads replies from it: the 4-byte group unpacking, the carry-over of bytes
// beyond one packet, the buffer limit and the retries.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "transport/usb_fixtures.h"
#include "transport/zel_usb.h"

namespace {

using zel::fuzz::Require;

struct InTransfer {
    std::string bytes;
    bool ok = true;
};

struct DeviceState {
    zel::test::UsbControlModel control = zel::test::DeviceWithOs20Guid(zel::kZelUsbInterfaceGuid);
    std::vector<zel::UsbEndpoint> endpoints;
    std::deque<InTransfer> in;  // answered in order, then time-outs
    size_t bytesFed = 0;
    std::vector<std::string> out;
};

class FuzzDevice : public zel::IUsbDevice {
  public:
    explicit FuzzDevice(DeviceState& state) : state_(state) {}

    std::optional<std::vector<uint8_t>> ControlIn(const zel::UsbControlSetup& setup,
                                                  unsigned) override {
        return state_.control.Respond(setup);
    }
    bool ClaimInterface(uint8_t) override { return true; }
    std::vector<zel::UsbEndpoint> Endpoints(uint8_t) override { return state_.endpoints; }
    uint8_t Speed() override { return 3; }

    bool Transfer(const zel::UsbEndpoint& endpoint, uint8_t* data, size_t length,
                  size_t& transferred, unsigned) override {
        transferred = 0;
        if (!endpoint.IsIn()) {
            Require(data != nullptr || length == 0, "an OUT transfer without its bytes");
            state_.out.emplace_back(reinterpret_cast<const char*>(data), length);
            transferred = length;
            return true;
        }
        Require(length > 0 && length % endpoint.maxPacketSize == 0,
                "an IN transfer that could end inside a packet");
        if (state_.in.empty()) return false;
        const InTransfer answer = std::move(state_.in.front());
        state_.in.pop_front();
        transferred = std::min(answer.bytes.size(), length);
        std::memcpy(data, answer.bytes.data(), transferred);
        state_.bytesFed += transferred;
        return answer.ok;
    }

  private:
    DeviceState& state_;
};

class FuzzBackend : public zel::IUsbBackend {
  public:
    explicit FuzzBackend(DeviceState& state) : state_(state) {}
    std::vector<std::unique_ptr<zel::IUsbDevice>> OpenPresentDevices() override {
        std::vector<std::unique_ptr<zel::IUsbDevice>> devices;
        devices.push_back(std::make_unique<FuzzDevice>(state_));
        return devices;
    }

  private:
    DeviceState& state_;
};

void QueueTransfers(FuzzedDataProvider& input, DeviceState& state, int count) {
    for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        const bool ok = input.ConsumeIntegralInRange<int>(0, 7) != 0;
        const size_t length = input.ConsumeIntegralInRange<size_t>(0, 4200);
        state.in.push_back({input.ConsumeBytesAsString(length), ok});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    DeviceState state;
    const auto inPacketSize = input.ConsumeIntegralInRange<uint16_t>(1, 4096);
    const auto outPacketSize = input.ConsumeIntegralInRange<uint16_t>(1, 1024);
    state.endpoints = {{0x01, zel::UsbEndpointType::Bulk, outPacketSize},
                       {0x81, zel::UsbEndpointType::Bulk, inPacketSize}};
    // More endpoints after the link's own: a second OUT, an interrupt pipe, or ones it refuses.
    const int moreEndpoints = input.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < moreEndpoints; ++i) {
        const auto address = input.ConsumeIntegral<uint8_t>();
        const auto type = zel::UsbEndpointType(input.ConsumeIntegralInRange<int>(0, 3));
        state.endpoints.push_back({address, type, input.ConsumeIntegralInRange<uint16_t>(0, 1024)});
    }
    QueueTransfers(input, state, input.ConsumeIntegralInRange<int>(0, 3));  // stale at open

    size_t pauses = 0;
    zel::CZelUSB usb(std::make_unique<FuzzBackend>(state),
                     [&](std::chrono::milliseconds) { ++pauses; });
    const bool opened = usb.OpenDevice();
    Require(opened || moreEndpoints > 0, "the device naming the GUID does not open");
    if (!opened) {
        std::string reply;
        Require(!usb.ReadData(reply, 64, 1) && reply.empty(), "a link that did not open read");
        return 0;
    }

    size_t replied = 0;
    while (input.remaining_bytes() > 0) {
        const std::string written = input.ConsumeRandomLengthString(300);
        size_t writtenCount = 0;
        const size_t outBefore = state.out.size();
        if (usb.WriteData(written, &writtenCount)) {
            Require(writtenCount == written.size() && state.out[outBefore] == written,
                    "a command not written whole");
            const bool endsPacket = !written.empty() && written.size() % outPacketSize == 0;
            Require(state.out.size() - outBefore == (endsPacket ? 2u : 1u),
                    "a full last packet without its zero-length packet, or one too many");
        }
        QueueTransfers(input, state, input.ConsumeIntegralInRange<int>(0, 4));
        const size_t bufferSize = input.ConsumeIntegralInRange<size_t>(0, 2100);
        const int attempts = input.ConsumeIntegralInRange<int>(1, 20);
        const std::string before = input.ConsumeRandomLengthString(8);
        std::string reply = before;
        const bool ok = usb.ReadData(reply, bufferSize, attempts);
        Require(reply.compare(0, before.size(), before) == 0, "bytes before the reply changed");
        Require(reply.size() - before.size() <= bufferSize, "a reply beyond its buffer");
        if (!ok) Require(reply == before, "a failed read left bytes");
        replied += reply.size() - before.size();
    }
    Require(replied <= state.bytesFed, "more reply bytes than the device sent");
    Require(pauses <= state.bytesFed, "more pauses than positions received");
    return 0;
}
