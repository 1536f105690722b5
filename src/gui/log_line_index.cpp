#include "gui/log_line_index.h"

#include <algorithm>
#include <vector>

namespace zel {

void LogLineIndex::Append(std::string_view piece) {
    mapper_.FindLineStarts(piece, [this](uint64_t start) {
        NoteLine();
        starts_.push_back(mapperBase_ + start);
    });
    NoteLine();
}

void LogLineIndex::NoteLine() {
    longestLine_ = std::max(longestLine_, mapper_.Column());
}

void LogLineIndex::Clear() {
    starts_.assign(1, 0);
    front_ = 0;
    mapperBase_ = 0;
    mapper_.Reset();
    droppedLines_ = 0;
    longestLine_ = 0;
}

// A cut between the log's line ends leaves a first line that starts afresh, so its breaks of
// long lines move: that stretch is walked again up to the first line that a line end began.
void LogLineIndex::DropFront(size_t count, std::string_view kept) {
    const uint64_t newFront = front_ + count;
    const uint64_t end = newFront + kept.size();
    const auto firstKept = std::lower_bound(starts_.begin(), starts_.end(), newFront);
    droppedLines_ += firstKept - starts_.begin();
    starts_.erase(starts_.begin(), firstKept);
    front_ = newFront;
    if (!starts_.empty() && starts_.front() == newFront) return;

    const auto begunByLineEnd = [&](uint64_t start) {
        const char before = kept[start - newFront - 1];
        return before == '\r' || before == '\n';
    };
    while (!starts_.empty() && !begunByLineEnd(starts_.front())) {
        starts_.pop_front();
        ++droppedLines_;
    }
    --droppedLines_;  // the cut line stays, as the first
    const uint64_t stop = starts_.empty() ? end : starts_.front();
    LogDisplayMapper fresh;
    std::vector<uint64_t> found{newFront};
    fresh.FindLineStarts(kept.substr(0, stop - newFront), [&](uint64_t start) {
        if (newFront + start < stop) found.push_back(newFront + start);
    });
    starts_.insert(starts_.begin(), found.begin(), found.end());
    if (stop == end) {
        mapper_ = fresh;
        mapperBase_ = newFront;
    }
}

LogLineIndex::Bytes LogLineIndex::LineBytes(qsizetype line) const {
    const uint64_t first = starts_[static_cast<size_t>(line)];
    const uint64_t next = line + 1 < LineCount() ? starts_[static_cast<size_t>(line) + 1]
                                                 : mapperBase_ + mapper_.Bytes();
    return {static_cast<size_t>(first - front_), static_cast<size_t>(next - first)};
}

}  // namespace zel
