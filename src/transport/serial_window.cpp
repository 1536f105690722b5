#include "transport/serial_window.h"

#include <atomic>

#include "transport/serial_ports.h"

namespace zel {

struct CSerialWnd::Delivery {
    Delivery(CSerialWnd& port, EventHandler handler) : port(port), handler(std::move(handler)) {}

    CSerialWnd& port;
    const EventHandler handler;
    // A plain "bytes received" already waiting on the GUI thread: its handler reads these
    // bytes as well, so a burst does not flood the queue.
    std::atomic<bool> receivedQueued{false};
};

CSerialWnd::CSerialWnd(IWindowSystem& windows) : windows_(windows) {}

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
    return CSerial::ReadBytes(buffer, size, readCount, kInfiniteMs);
}

void CSerialWnd::OnPortEvent(uint32_t eventType, uint32_t lineErrors) {
    bool plainReceived = eventType == serial_event::kReceived && lineErrors == 0;
    if (plainReceived && delivery_->receivedQueued.exchange(true)) return;
    uint32_t eventAndErrors = (eventType & 0xFFFF) | (lineErrors << 16);
    windows_.PostToGui([weak = std::weak_ptr(delivery_), eventAndErrors, plainReceived] {
        auto delivery = weak.lock();
        if (!delivery) return;
        if (plainReceived) delivery->receivedQueued = false;
        if (delivery->handler) delivery->handler(eventAndErrors);
    });
}

void CSerialWnd::OnDeviceLost() {
    windows_.PostToGui([weak = std::weak_ptr(delivery_)] {
        if (auto delivery = weak.lock()) delivery->port.CloseLine();
    });
}

}  // namespace zel
