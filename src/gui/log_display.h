#pragma once
// How the log's bytes look in the log box. A run of carriage returns, with the line feed that
// may follow it, ends the line once, and so does a lone line feed; other control bytes and DEL
// show as their control pictures (U+2400..U+241F, U+2421), bytes 0x80-0xFF as Latin-1. A line
// longer than kLongestShownLine characters goes on in the next line, so that a device that never
// ends its line still gives the box lines it can draw.
#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

namespace zel {

inline constexpr qsizetype kLongestShownLine = 1024;

// The whole text at once: the box's lines, each but the last ended by '\n'.
QString DisplayLogText(std::string_view bytes);

// The same mapping fed piece by piece. Carriage returns at the end of a piece are held until the
// next byte tells whether a line feed joins them. Every line of the box starts with the mapping
// in its first state, so a line can be mapped on its own from where it starts.
class LogDisplayMapper {
  public:
    QString Map(std::string_view bytes);
    // Walks the bytes as Map does without making text, telling `lineStarts` the offset (counted
    // in bytes given since the last reset) at which each further line of the box begins.
    template <typename LineStarts>
    void FindLineStarts(std::string_view bytes, LineStarts&& lineStarts);
    void Reset() { *this = LogDisplayMapper(); }

    // Bytes given since the last reset.
    uint64_t Bytes() const { return end_; }
    // Characters in the last line so far.
    qsizetype Column() const { return column_; }

  private:
    static constexpr char kCarriageReturn = '\r';
    static constexpr char kLineFeed = '\n';

    // `sink` is told each shown character and each line break, with the offset of the byte
    // the next line starts at.
    template <typename Sink>
    void Walk(std::string_view bytes, Sink& sink);

    uint64_t end_ = 0;
    uint64_t heldCarriageReturns_ = 0;  // the last bytes, their break not shown yet
    qsizetype column_ = 0;
};

namespace log_display_detail {

constexpr std::array<char16_t, 256> MakeDisplayTable() {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<char16_t>(byte);
    for (int byte = 0; byte < 0x20; ++byte) table[byte] = static_cast<char16_t>(0x2400 + byte);
    table[0x7F] = u'\u2421';
    return table;
}

inline constexpr std::array<char16_t, 256> kDisplayChar = MakeDisplayTable();

}  // namespace log_display_detail

template <typename Sink>
void LogDisplayMapper::Walk(std::string_view bytes, Sink& sink) {
    for (char byte : bytes) {
        if (byte == kCarriageReturn) {
            ++heldCarriageReturns_;
            ++end_;
            continue;
        }
        // With a line feed after them, the line feed shows the break; otherwise the last of them.
        if (heldCarriageReturns_ > 0) {
            heldCarriageReturns_ = 0;
            column_ = 0;
            if (byte != kLineFeed) sink.Break(end_);
        }
        if (byte == kLineFeed) {
            column_ = 0;
            sink.Break(end_ + 1);
        } else {
            if (column_ == kLongestShownLine) {
                sink.Break(end_);
                column_ = 0;
            }
            ++column_;
            sink.Shown(QChar(log_display_detail::kDisplayChar[static_cast<unsigned char>(byte)]));
        }
        ++end_;
    }
}

template <typename LineStarts>
void LogDisplayMapper::FindLineStarts(std::string_view bytes, LineStarts&& lineStarts) {
    struct Sink {
        LineStarts& lineStarts;
        void Shown(QChar) {}
        void Break(uint64_t nextLineStart) { lineStarts(nextLineStart); }
    } sink{lineStarts};
    Walk(bytes, sink);
}

}  // namespace zel
