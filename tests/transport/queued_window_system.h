#pragma once
// A window system whose GUI thread is the test itself: work posted from any thread waits in a
// queue until the test pumps it.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "services/window_system.h"

namespace zel::test {

class QueuedWindowSystem : public IWindowSystem {
  public:
    // Called on the GUI thread only, as the terminal does.
    MessageAnswer MessageBox(const std::string& text, const std::string&, MessageButtons,
                             MessageIcon) override {
        shown.push_back(text);
        return MessageAnswer::Ok;
    }
    void SetTimer(int, unsigned, std::function<void()>) override {}
    void KillTimer(int) override {}

    void PostToGui(std::function<void()> work) override {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
        posted_.notify_all();
    }

    // Waits until at least count pieces of work are queued; false on time-out.
    bool WaitForQueued(size_t count, std::chrono::milliseconds timeout = kGenerousWait) {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, timeout, [&] { return queue_.size() >= count; });
    }

    size_t QueuedCount() {
        std::lock_guard lock(mutex_);
        return queue_.size();
    }

    // Runs queued work until done() holds; false when it does not within the time-out.
    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = kGenerousWait) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_until(lock, deadline, [&] { return !queue_.empty(); })) return false;
            auto work = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            work();
        }
        return true;
    }

    // Runs what is queued now, without waiting.
    void RunQueued() {
        for (;;) {
            std::unique_lock lock(mutex_);
            if (queue_.empty()) return;
            auto work = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            work();
        }
    }

    static constexpr std::chrono::milliseconds kGenerousWait{10000};

    std::vector<std::string> shown;  // the message boxes' texts

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace zel::test
