#include "transport/serial_listener.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>

namespace zel {

namespace {

// Edge-triggered, so the device is reported once per arrival of bytes (or error) rather than
// for as long as received bytes wait unread: the listener sleeps until something new happens.
constexpr uint32_t kDeviceEvents = EPOLLIN | EPOLLET;
constexpr uint32_t kDeviceGone = EPOLLHUP | EPOLLERR;

// A device talking steadily (a reply line every few milliseconds) is read once per gap, with
// the device unwatched in between, so the listener wakes and reports once per gap rather than
// once per write; the window shows no faster than that anyway. Every read is reported at once;
// a flood (many bytes at a time, or reads in quick succession) is read as it comes.
constexpr auto kArrivalGap = std::chrono::milliseconds(15);
constexpr size_t kArrivalsGathered = 1024;
using Clock = std::chrono::steady_clock;

// The epoll timeout until the gap ends: -1 (none) outside a gap.
int TimeoutMs(const std::optional<Clock::time_point>& gapEnds) {
    if (!gapEnds) return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*gapEnds - Clock::now());
    return static_cast<int>(std::max<int64_t>(0, left.count()));
}

bool Watch(int waitSet, int fd, uint32_t events, int operation = EPOLL_CTL_ADD) {
    epoll_event watched{};
    watched.events = events;
    watched.data.fd = fd;
    return epoll_ctl(waitSet, operation, fd, &watched) == 0;
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
        !Watch(waitSet_, Device(), kDeviceEvents)) {
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
    std::optional<Clock::time_point> gapEnds;  // while the device is unwatched
    Clock::time_point lastWake;
    for (;;) {
        epoll_event ready[2];
        int count = epoll_wait(waitSet, ready, 2, TimeoutMs(gapEnds));
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
        const auto now = Clock::now();
        const bool quietBefore = now - lastWake >= kArrivalGap;
        lastWake = now;
        size_t arrived = 0;
        if ((device & EPOLLIN) || gapEnds) {
            arrived = CollectArrivals();
            if (arrived > 0 || (device & EPOLLIN)) NoteEvents(serial_event::kReceived);
        }
        uint32_t lineErrors = ClearLineErrors();
        if (uint32_t eventType = TakeEventType()) OnPortEvent(eventType, lineErrors);
        if (device & kDeviceGone) {
            OnDeviceLost();
            return;
        }
        // A few bytes after a quiet spell, or at the end of a gap, start the next gap; a gap
        // without any ends the pause, and so does a flood, which wakes the listener all along.
        const bool pause = arrived > 0 && arrived < kArrivalsGathered && (gapEnds || quietBefore);
        if (pause != gapEnds.has_value() &&
            !Watch(waitSet, Device(), pause ? 0 : kDeviceEvents, EPOLL_CTL_MOD)) {
            Finish(errno);
            return;
        }
        gapEnds = pause ? std::optional(Clock::now() + kArrivalGap) : std::nullopt;
    }
}

}  // namespace zel
