#include "transport/serial_listener.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>

namespace zel {

namespace {

// Edge-triggered, so the device is reported once per arrival of bytes (or error) rather than
// for as long as received bytes wait unread: the listener sleeps until something new happens.
constexpr uint32_t kDeviceEvents = EPOLLIN | EPOLLET;
constexpr uint32_t kDeviceGone = EPOLLHUP | EPOLLERR;

// A device talking steadily (a reply line every few milliseconds) costs one report per gap
// rather than one per read; the window shows no faster than that anyway. The first bytes after
// a quiet spell, a flood's worth of bytes and every other event are reported at once.
constexpr auto kArrivalGap = std::chrono::milliseconds(15);
constexpr size_t kArrivalsGathered = 4096;
using Clock = std::chrono::steady_clock;

// The epoll timeout until `until`: -1 (none) when nothing waits.
int MillisecondsUntil(bool waiting, Clock::time_point until) {
    if (!waiting) return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    return static_cast<int>(std::max<int64_t>(0, left.count()));
}

bool Watch(int waitSet, int fd, uint32_t events) {
    epoll_event watched{};
    watched.events = events;
    watched.data.fd = fd;
    return epoll_ctl(waitSet, EPOLL_CTL_ADD, fd, &watched) == 0;
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
    waitSet_ = epoll_create1(EPOLL_CLOEXEC);
    stopSignal_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (waitSet_ < 0 || stopSignal_ < 0 || !Watch(waitSet_, stopSignal_, EPOLLIN) ||
        !Watch(waitSet_, DeviceFd(), kDeviceEvents)) {
        long error = errno;
        ReleaseListenerHandles();
        return Finish(error);
    }
    listener_ = std::thread(&CSerialEx::Listen, this, waitSet_, stopSignal_);
    return Finish(0);
}

long CSerialEx::StopListening() {
    if (listener_.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t signalled = write(stopSignal_, &one, sizeof one);
        listener_.join();
    }
    ReleaseListenerHandles();
    return Finish(0);
}

void CSerialEx::ReleaseListenerHandles() {
    for (int* handle : {&waitSet_, &stopSignal_}) {
        if (*handle >= 0) close(*handle);
        *handle = -1;
    }
}

void CSerialEx::Listen(int waitSet, int stopSignal) {
    Clock::time_point lastReport;
    bool gathering = false;
    size_t waiting = 0;
    for (;;) {
        epoll_event ready[2];
        int count =
            epoll_wait(waitSet, ready, 2, MillisecondsUntil(gathering, lastReport + kArrivalGap));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            Finish(errno);
            return;
        }
        uint32_t device = 0;
        for (int i = 0; i < count; ++i) {
            if (ready[i].data.fd == stopSignal) return;
            device |= ready[i].events;
        }
        if (device & EPOLLIN) {
            waiting = CollectArrivals();
            NoteEvents(serial_event::kReceived);
        }
        uint32_t lineErrors = ClearLineErrors();
        const auto now = Clock::now();
        gathering = PendingEventType() == serial_event::kReceived && !(device & kDeviceGone) &&
                    waiting < kArrivalsGathered && now - lastReport < kArrivalGap;
        if (gathering) continue;
        if (uint32_t eventType = TakeEventType()) {
            OnPortEvent(eventType, lineErrors);
            lastReport = now;
        }
        if (device & kDeviceGone) {
            OnDeviceLost();
            return;
        }
    }
}

}  // namespace zel
