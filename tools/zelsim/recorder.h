#pragma once
// Appends what the simulator receives to a file, one line of hexadecimal bytes per read.
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>

namespace zelsim {

// "50 4C 0D": upper-case pairs separated by spaces.
std::string HexLine(std::string_view bytes);

class Recorder {
  public:
    // Without a successful Open, Record does nothing.
    bool Open(const std::string& path);
    // Safe from several threads; each line is flushed at once so readers see it.
    void Record(std::string_view bytes);

  private:
    std::mutex mutex_;
    std::ofstream file_;
};

}  // namespace zelsim
