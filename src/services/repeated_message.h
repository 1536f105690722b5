#pragma once
// A failure met again and again (a lost port under a running repeat) is logged once; its
// repeats become one line with their count when the run of them ends.
#include <cstdint>
#include <string>

namespace zel {

class RepeatedMessage {
  public:
    // Counts `message` when it is the one running, and says so; otherwise leaves it to Start.
    bool Repeats(const std::string& message);
    void Start(std::string message);
    bool Running() const { return !message_.empty(); }
    // Ends the run: "<message> (repeated N times)" when it came again, else empty.
    std::string End();

  private:
    std::string message_;
    uint32_t repeats_ = 0;
};

}  // namespace zel
