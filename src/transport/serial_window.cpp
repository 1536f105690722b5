#include "transport/serial_window.h"

#include <algorithm>
#include <atomic>
#include <limits>

#include "transport/serial_device.h"
#include "transport/serial_ports.h"

namespace zel {

struct CSerialWnd::Delivery {
    Delivery(CSerialWnd& port, EventHandler handler) : port(port), handler(std::move(handler)) {}

    CSerialWnd& port;
    const EventHandler handler;
    // A plain "bytes received" already waiting on the GUI thread: its handler reads these
    // bytes as well, so a burst does not flood the queue.
    std::atomic<bool> receivedQueued{false};
    // What the running handler call may still read; GUI thread only.
    static constexpr size_t kUnbounded = std::numeric_limits<size_t>::max();
    size_t readBudget = kUnbounded;
};

CSerialWnd::CSerialWnd(IGuiThread& guiThread) : guiThread_(guiThread) {}

CSerialWnd::~CSerialWnd() {
    CSerialWnd::CloseLine();
}

std::vector<std::string> CSerialWnd::CandidatePorts() {
    return ListCandidatePorts();
}

ProbeResult CSerialWnd::ProbePort(const std::string& name) {
    return CSerial::ProbePort(name);
}

bool CSerialWnd::IsOpen() const {
    return CSerial::IsOpen();
}

long CSerialWnd::OpenForWindow(const std::string& name, EventHandler onEvent) {
    if (long result = OpenLine(name); result != 0) return result;
    delivery_ = std::make_shared<Delivery>(*this, std::move(onEvent));
    long result = StartListening();
    if (result != 0) {
        CloseLine();
        Finish(result);
    }
    return result;
}

std::string CSerialWnd::DescribeError(long code) const {
    return SerialErrorText(code);
}

long CSerialWnd::ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits) {
    return CSerial::ConfigureLine(baudRate, dataBits, parity, stopBits);
}

long CSerialWnd::CloseLine() {
    long result = CSerialEx::CloseLine();
    delivery_.reset();
    return result;
}

int CSerialWnd::SendEscapedText(std::string_view text) {
    return CSerial::SendEscapedText(text);
}

long CSerialWnd::ReadBytes(char* buffer, size_t size, size_t* readCount) {
    size_t count = 0;
    size_t* budget = delivery_ ? &delivery_->readBudget : nullptr;
    long result =
        CSerial::ReadBytes(buffer, budget ? std::min(size, *budget) : size, &count, kInfiniteMs);
    if (budget) *budget -= count;
    if (readCount) *readCount = count;
    return result;
}

void CSerialWnd::OnPortEvent(uint32_t eventType, uint32_t lineErrors) {
    Post(delivery_, (eventType & 0xFFFF) | (lineErrors << 16));
}

void CSerialWnd::Post(const std::shared_ptr<Delivery>& delivery, uint32_t eventAndErrors) {
    const bool plainReceived = eventAndErrors == serial_event::kReceived;
    if (plainReceived && delivery->receivedQueued.exchange(true)) return;
    guiThread_.PostToGui([weak = std::weak_ptr(delivery), eventAndErrors, plainReceived] {
        auto delivery = weak.lock();
        if (!delivery) return;
        if (plainReceived) delivery->receivedQueued = false;
        if (!delivery->handler) return;
        delivery->readBudget = kBytesPerDelivery;
        delivery->handler(eventAndErrors);
        const bool budgetSpent = delivery->readBudget == 0;
        delivery->readBudget = Delivery::kUnbounded;
        // What the device sent beyond the budget is read on a later pass of the event loop.
        if (budgetSpent) delivery->port.Post(delivery, serial_event::kReceived);
    });
}

void CSerialWnd::OnDeviceLost() {
    guiThread_.PostToGui([weak = std::weak_ptr(delivery_)] {
        if (auto delivery = weak.lock()) delivery->port.CloseLine();
    });
}

}  // namespace zel
