#pragma once
// How the log's bytes look in the log box. A run of carriage returns, with the line feed that
// may follow it, ends the line once, and so does a lone line feed; other control bytes and DEL
// show as their control pictures (U+2400..U+241F, U+2421), bytes 0x80-0xFF as Latin-1. A line
// longer than kLongestShownLine characters goes on in the next line: the box lays a line out
// whole at every change, which for one endless line would take ever longer and freeze it.
#include <QString>
#include <cstdint>
#include <deque>
#include <string_view>
#include <utility>

namespace zel {

inline constexpr qsizetype kLongestShownLine = 1024;

// The whole text at once, as a freshly filled box shows it.
QString DisplayLogText(std::string_view bytes);

// The same mapping fed piece by piece. Carriage returns at the end of a piece are held until the
// next byte tells whether a line feed joins them. Remembers which bytes showed as nothing, so
// dropping the oldest bytes removes exactly the characters they showed as.
class LogDisplayMapper {
  public:
    QString Map(std::string_view bytes);
    // Forgets the oldest `count` bytes given to Map and returns how many characters showed them.
    qsizetype DropFront(uint64_t count);
    void Reset() { *this = LogDisplayMapper(); }

    // Bytes given to Map and not dropped.
    uint64_t Bytes() const { return end_ - front_; }

  private:
    void EndCarriageReturns(QString& out, bool lineFeedFollows);
    void AppendShown(QString& out, QChar shown);

    uint64_t front_ = 0;  // offsets count the bytes given to Map since the last reset
    uint64_t end_ = 0;
    uint64_t heldCarriageReturns_ = 0;                     // the last bytes, not shown yet
    std::deque<std::pair<uint64_t, uint64_t>> invisible_;  // [first, last) shown as nothing
    qsizetype column_ = 0;                                 // characters in the last line
    std::deque<uint64_t> breaksAfter_;  // bytes after which a too long line went on
};

}  // namespace zel
