#pragma once
// Watches the GUI thread while a flood runs: a timer that notes how late each of its ticks comes
// (a frozen window shows as one very late tick) and samples the resident memory as it goes.
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstddef>

namespace zel::test {

class EventLoopWatch {
  public:
    static constexpr std::chrono::milliseconds kTick{20};

    EventLoopWatch();

    std::chrono::milliseconds LongestStall() const { return longestStall_; }
    size_t HighestResidentBytes() const { return highestResident_; }
    long Ticks() const { return ticks_; }

  private:
    void OnTick();

    QTimer timer_;
    QElapsedTimer sinceLastTick_;
    std::chrono::milliseconds longestStall_{0};
    size_t highestResident_ = 0;
    long ticks_ = 0;
};

}  // namespace zel::test
