#include "app/zelctl/log_lines.h"

namespace zel::ctl {

namespace {

const std::string kLineEnd = "\r\n";

}  // namespace

void LogLines::OnAppended(std::string_view piece) {
    pending_ += piece;
    size_t end;
    while ((end = pending_.find(kLineEnd)) != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + kLineEnd.size());
        onLine_(line);
    }
}

void LogLines::Flush() {
    if (pending_.empty()) return;
    std::string line;
    line.swap(pending_);
    onLine_(line);
}

}  // namespace zel::ctl
