#include "flood/event_loop_watch.h"

#include <algorithm>

#include "flood/process_memory.h"

namespace zel::test {

EventLoopWatch::EventLoopWatch() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { OnTick(); });
    sinceLastTick_.start();
    timer_.start(kTick);
}

void EventLoopWatch::OnTick() {
    const std::chrono::milliseconds late =
        std::chrono::milliseconds(sinceLastTick_.restart()) - kTick;
    longestStall_ = std::max(longestStall_, late);
    highestResident_ = std::max(highestResident_, ReadProcessMemory().residentBytes);
    ++ticks_;
}

}  // namespace zel::test
