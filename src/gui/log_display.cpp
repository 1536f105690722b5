#include "gui/log_display.h"

#include <algorithm>
#include <array>

namespace zel {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

constexpr std::array<char16_t, 256> MakeDisplayTable() {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<char16_t>(byte);
    for (int byte = 0; byte < 0x20; ++byte) table[byte] = static_cast<char16_t>(0x2400 + byte);
    table[0x7F] = u'\u2421';
    return table;
}

constexpr std::array<char16_t, 256> kDisplayChar = MakeDisplayTable();

}  // namespace

QString DisplayLogText(std::string_view bytes) {
    return LogDisplayMapper().Map(bytes);
}

void LogDisplayMapper::EndCarriageReturns(QString& out, bool lineFeedFollows) {
    // With a line feed after them, the line feed shows the break; otherwise the last of them.
    const uint64_t shown = lineFeedFollows ? 0 : 1;
    const uint64_t first = end_ - heldCarriageReturns_;
    const uint64_t last = end_ - shown;
    if (last > first) invisible_.emplace_back(first, last);
    if (!lineFeedFollows) out += QChar(kLineFeed);
    heldCarriageReturns_ = 0;
    column_ = 0;
}

// The byte about to be counted shows as `shown`; a break before it belongs to the byte before.
void LogDisplayMapper::AppendShown(QString& out, QChar shown) {
    if (shown == QChar(kLineFeed)) {
        column_ = 0;
    } else if (column_ == kLongestShownLine) {
        out += QChar(kLineFeed);
        breaksAfter_.push_back(end_ - 1);
        column_ = 1;
    } else {
        ++column_;
    }
    out += shown;
}

QString LogDisplayMapper::Map(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        if (byte == kCarriageReturn) {
            ++heldCarriageReturns_;
            ++end_;
            continue;
        }
        if (heldCarriageReturns_ > 0) EndCarriageReturns(out, byte == kLineFeed);
        AppendShown(out, byte == kLineFeed ? QChar(kLineFeed)
                                           : QChar(kDisplayChar[static_cast<unsigned char>(byte)]));
        ++end_;
    }
    return out;
}

qsizetype LogDisplayMapper::DropFront(uint64_t count) {
    count = std::min(count, Bytes());
    const uint64_t newFront = front_ + count;
    uint64_t invisibleDropped = 0;
    while (!invisible_.empty() && invisible_.front().first < newFront) {
        auto& range = invisible_.front();
        const uint64_t cut = std::min(range.second, newFront);
        invisibleDropped += cut - range.first;
        if (cut < range.second) {
            range.first = cut;
            break;
        }
        invisible_.pop_front();
    }
    const uint64_t heldFront = end_ - heldCarriageReturns_;
    if (newFront > heldFront) {
        invisibleDropped += newFront - heldFront;
        heldCarriageReturns_ = end_ - newFront;
    }
    uint64_t breaksDropped = 0;
    while (!breaksAfter_.empty() && breaksAfter_.front() < newFront) {
        breaksAfter_.pop_front();
        ++breaksDropped;
    }
    front_ = newFront;
    // With nothing left, what comes next starts the box's first line.
    if (front_ == end_) column_ = 0;
    return static_cast<qsizetype>(count - invisibleDropped + breaksDropped);
}

}  // namespace zel
