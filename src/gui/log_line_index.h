#pragma once
// Where each line of the log box begins in the log's text, kept as the log grows, drops its
// oldest lines and is cleared, so that the box can map any line from the log on its own.
#include <QtGlobal>
#include <cstdint>
#include <deque>
#include <string_view>

#include "gui/log_display.h"

namespace zel {

class LogLineIndex {
  public:
    LogLineIndex() { Clear(); }

    void Append(std::string_view piece);
    // The log dropped its oldest `count` bytes and keeps `kept`.
    void DropFront(size_t count, std::string_view kept);
    void Clear();

    // At least one: an empty log shows one empty line.
    qsizetype LineCount() const { return static_cast<qsizetype>(starts_.size()); }
    // The bytes of a line within the log's text: [first, first + size).
    struct Bytes {
        size_t first = 0;
        size_t size = 0;
    };
    Bytes LineBytes(qsizetype line) const;
    // Lines dropped since the last clear: a line's number plus these stays its number.
    int64_t DroppedLines() const { return droppedLines_; }
    // The most characters a line has had since the last clear.
    qsizetype LongestLine() const { return longestLine_; }

  private:
    void NoteLine();

    std::deque<uint64_t> starts_;  // offsets counted from the first byte since the last clear
    uint64_t front_ = 0;           // offset of the log's first kept byte
    uint64_t mapperBase_ = 0;      // offset at which mapper_ was reset
    LogDisplayMapper mapper_;      // the mapping's state at the end of the log
    int64_t droppedLines_ = 0;
    qsizetype longestLine_ = 0;
};

}  // namespace zel
