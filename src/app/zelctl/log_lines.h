#pragma once
// Follows the communication log and hands on each line as it completes, without its line end.
#include <functional>
#include <string>

#include "services/comm_log.h"

namespace zel::ctl {

class LogLines : public CommLog::Observer {
  public:
    using LineHandler = std::function<void(const std::string& line)>;
    explicit LogLines(LineHandler onLine) : onLine_(std::move(onLine)) {}

    void OnAppended(std::string_view piece) override;
    void OnDroppedFront(size_t) override {}
    void OnCleared() override { pending_.clear(); }
    // Hands on the unfinished last line, if any.
    void Flush();

  private:
    LineHandler onLine_;
    std::string pending_;
};

}  // namespace zel::ctl
