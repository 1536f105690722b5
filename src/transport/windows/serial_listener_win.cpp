// The listener on the Win32 port: an overlapped WaitCommEvent, woken as well by the stop event.
#include <windows.h>

#include "transport/serial_listener.h"
#include "transport/windows/win_handles.h"

namespace zel {

namespace {

enum class Wake { Events, Stop, Failed };

// How often a waiting listener asks whether the port is still there: not every driver ends a
// pending wait when its device goes (wine's does not when a pseudo-terminal hangs up).
constexpr DWORD kPresenceCheckMs = 500;

// The driver still answers for the port: a vanished adapter fails every call.
bool PortPresent(HANDLE port) {
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(port, &errors, &status) != 0;
}

Wake Abandon(HANDLE port, OVERLAPPED& pending, Wake wake) {
    CancelIoEx(port, &pending);
    DWORD ignored = 0;
    GetOverlappedResult(port, &pending, &ignored, TRUE);
    return wake;
}

// Waits for the next event of the port, or the stop signal. *events receives the driver's event
// bits, or 0 when the wait was cut short.
Wake WaitForPortEvent(HANDLE port, HANDLE stop, HANDLE done, DWORD* events) {
    *events = 0;
    OVERLAPPED pending{};
    pending.hEvent = done;
    ResetEvent(done);
    if (WaitCommEvent(port, events, &pending)) return Wake::Events;
    DWORD error = GetLastError();
    // An aborted wait is looked at like an event: what the driver holds tells what happened.
    // Wine ends a pending wait this way when bytes arrive on a port that has no modem lines.
    if (error == ERROR_OPERATION_ABORTED) return Wake::Events;
    if (error != ERROR_IO_PENDING) return Wake::Failed;
    const HANDLE waits[] = {stop, done};
    for (;;) {
        DWORD woken = WaitForMultipleObjects(2, waits, FALSE, kPresenceCheckMs);
        if (woken == WAIT_TIMEOUT && PortPresent(port)) continue;
        if (woken == WAIT_OBJECT_0) return Abandon(port, pending, Wake::Stop);
        if (woken != WAIT_OBJECT_0 + 1) return Abandon(port, pending, Wake::Failed);
        DWORD ignored = 0;
        if (GetOverlappedResult(port, &pending, &ignored, FALSE)) return Wake::Events;
        return GetLastError() == ERROR_OPERATION_ABORTED ? Wake::Events : Wake::Failed;
    }
}

}  // namespace

CSerialEx::~CSerialEx() {
    CSerialEx::CloseLine();
}

long CSerialEx::CloseLine() {
    StopListening();
    return CSerial::CloseLine();
}

long CSerialEx::StartListening() {
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    if (listener_.joinable()) return Finish(0);
    stopSignal_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stopSignal_) return Finish(long(GetLastError()));
    listener_ = std::thread(&CSerialEx::Listen, this, stopSignal_);
    return Finish(0);
}

long CSerialEx::StopListening() {
    if (listener_.joinable()) {
        SetEvent(stopSignal_);
        listener_.join();
    }
    ReleaseListenerHandles();
    return Finish(0);
}

void CSerialEx::ReleaseListenerHandles() {
    if (stopSignal_) CloseHandle(stopSignal_);
    stopSignal_ = nullptr;
}

void CSerialEx::Listen(void* stopSignal) {
    win::Event done;
    if (!done.Made()) return;
    for (;;) {
        DWORD events = 0;
        Wake wake = WaitForPortEvent(Device(), stopSignal, done.Get(), &events);
        if (wake == Wake::Stop) return;
        if (wake == Wake::Failed || !PortPresent(Device())) {
            OnDeviceLost();
            return;
        }
        if (CollectArrivals() > 0 || (events & EV_RXCHAR)) NoteEvents(serial_event::kReceived);
        if (events & EV_RXFLAG) NoteEvents(serial_event::kEventCharacter);
        uint32_t lineErrors = ClearLineErrors();
        if (uint32_t eventType = TakeEventType()) {
            OnPortEvent(eventType, lineErrors);
        } else if (events == 0) {
            // A wait cut short with nothing behind it: do not spin on a driver that keeps
            // aborting.
            if (WaitForSingleObject(stopSignal, 1) == WAIT_OBJECT_0) return;
        }
    }
}

}  // namespace zel
