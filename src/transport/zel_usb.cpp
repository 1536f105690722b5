#include "transport/zel_usb.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace zel {
namespace {

using namespace std::chrono_literals;

constexpr unsigned kTransferTimeoutMs = 5;
constexpr size_t kPacketSize = 2048;  // the most one reply read takes from the device
constexpr size_t kGroupSize = 4;      // a count byte and up to three data bytes
constexpr auto kEmptyPositionPause = 10ms;

constexpr size_t kDrainBufferSize = 128;
constexpr int kDrainAttempts = 5;
constexpr int kDrainEmptyReadsInARow = 12;
// A device that never stops sending must not hold the terminal: the drain gives up after these.
constexpr int kDrainMaxReads = 256;
constexpr auto kDrainMaxDuration = 2s;

size_t RoundUpToPackets(size_t length, size_t maxPacketSize) {
    return (length + maxPacketSize - 1) / maxPacketSize * maxPacketSize;
}

}  // namespace

CZelUSB::CZelUSB(std::unique_ptr<IUsbBackend> backend, Pause pause)
    : backend_(std::move(backend)), pause_(std::move(pause)) {}

CZelUSB::~CZelUSB() {
    if (open_) CloseDevice();
}

void CZelUSB::SleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

bool CZelUSB::OpenDevice() {
    CloseDevice();
    auto found = backend_->FindInterface(kZelUsbInterfaceGuid);
    accessDenied_ = !found && backend_->DevicesDenied() > 0;
    if (!found || !found->device->ClaimInterface(found->interfaceNumber)) return false;
    device_ = std::move(found->device);
    speed_ = device_->Speed();
    if (!RecordEndpoints(found->interfaceNumber)) {
        CloseDevice();
        return false;
    }
    open_ = true;
    Drain();
    return true;
}

bool CZelUSB::RecordEndpoints(uint8_t interfaceNumber) {
    for (const UsbEndpoint& endpoint : device_->Endpoints(interfaceNumber)) {
        if (endpoint.maxPacketSize == 0) return false;
        switch (endpoint.type) {
            case UsbEndpointType::Bulk:
                if (endpoint.IsIn()) {
                    bulkIn_ = endpoint;
                } else if (bulkOut_.address == 0) {
                    bulkOut_ = endpoint;
                } else if (secondBulkOut_.address == 0) {
                    secondBulkOut_ = endpoint;
                }
                break;
            case UsbEndpointType::Interrupt:
                interrupt_ = endpoint;
                break;
            default:
                return false;
        }
    }
    // Endpoint 0 is never a bulk endpoint, so address 0 means none was found.
    return bulkIn_.address != 0 && bulkOut_.address != 0;
}

void CZelUSB::Drain() {
    const auto deadline = std::chrono::steady_clock::now() + kDrainMaxDuration;
    int emptyInARow = 0;
    for (int reads = 0; reads < kDrainMaxReads && emptyInARow < kDrainEmptyReadsInARow &&
                        std::chrono::steady_clock::now() < deadline;
         ++reads) {
        std::string stale;
        ReadData(stale, kDrainBufferSize, kDrainAttempts);
        emptyInARow = stale.empty() ? emptyInARow + 1 : 0;
    }
}

bool CZelUSB::WriteData(std::string_view bytes, size_t* written) {
    if (!open_ && !OpenDevice()) return false;
    std::vector<uint8_t> out(bytes.begin(), bytes.end());
    size_t transferred = 0;
    bool ok = device_->Transfer(bulkOut_, out.data(), out.size(), transferred, kTransferTimeoutMs);
    // A transfer that fills its last packet exactly is ended by a zero-length packet, or the
    // device would wait for more.
    if (ok && !out.empty() && out.size() % bulkOut_.maxPacketSize == 0) {
        size_t none = 0;
        ok = device_->Transfer(bulkOut_, nullptr, 0, none, kTransferTimeoutMs);
    }
    if (!ok) CloseDevice();
    if (written) *written = transferred;
    return ok;
}

bool CZelUSB::ReadData(std::string& reply, size_t bufferSize, int attempts) {
    const size_t start = reply.size();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (ReadPacket(reply, start + bufferSize)) return true;
    }
    reply.resize(start);
    return false;
}

bool CZelUSB::ReadPacket(std::string& reply, size_t limit) {
    if (!device_) return false;
    const std::string packet = NextPacket();
    if (packet.empty() || packet[0] == 0) return false;
    size_t count = 0;
    for (size_t at = 0; at < packet.size(); ++at) {
        if (at % kGroupSize == 0) {
            count = uint8_t(packet[at]);
        } else if (count == 0) {
            pause_(kEmptyPositionPause);
        } else {
            if (reply.size() >= limit) return false;
            reply += packet[at];
            --count;
        }
    }
    return true;
}

std::string CZelUSB::NextPacket() {
    if (pendingIn_.empty()) {
        std::vector<uint8_t> buffer(RoundUpToPackets(kPacketSize, bulkIn_.maxPacketSize));
        size_t transferred = 0;
        if (!device_->Transfer(bulkIn_, buffer.data(), buffer.size(), transferred,
                               kTransferTimeoutMs)) {
            return {};
        }
        pendingIn_.assign(buffer.begin(), buffer.begin() + std::min(transferred, buffer.size()));
    }
    const size_t take = std::min(kPacketSize, pendingIn_.size());
    std::string packet = pendingIn_.substr(0, take);
    pendingIn_.erase(0, take);
    return packet;
}

void CZelUSB::CloseDevice() {
    open_ = false;
    device_.reset();
    speed_ = 0;
    bulkIn_ = bulkOut_ = secondBulkOut_ = interrupt_ = UsbEndpoint{};
    pendingIn_.clear();
}

}  // namespace zel
