#include "services/comm_log.h"

#include <utility>

#include "services/custom_string.h"

namespace zel {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::string_view kRenderedZero = "<00>";

void AppendHexByte(std::string& out, unsigned char byte) {
    out += '<';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
    out += '>';
}

bool IsPrintable(unsigned char byte) {
    return byte >= 32 && byte <= 126;
}

void AppendRendered(std::string& out, unsigned char byte, bool hex, bool mixed) {
    if (hex || (mixed && !IsPrintable(byte))) {
        AppendHexByte(out, byte);
    } else {
        out += static_cast<char>(byte);
    }
}

}  // namespace

std::string RenderLogPiece(std::string_view text, bool render, LogMode mode) {
    const bool hex = render && mode == LogMode::Hex;
    const bool mixed = render && mode == LogMode::Mixed;
    std::string out;
    out.reserve(hex ? text.size() * 4 : text.size());
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(kZeroMarker)) {
            if (hex || mixed) out += kRenderedZero;
            i += kZeroMarker.size();
            continue;
        }
        AppendRendered(out, static_cast<unsigned char>(text[i++]), hex, mixed);
    }
    return out;
}

std::string RenderReceivedBytes(std::string_view bytes, LogMode mode) {
    const bool hex = mode == LogMode::Hex;
    const bool mixed = mode == LogMode::Mixed;
    std::string out;
    out.reserve(hex ? bytes.size() * 4 : bytes.size());
    for (char byte : bytes) AppendRendered(out, static_cast<unsigned char>(byte), hex, mixed);
    return out;
}

CommLog::CommLog(size_t limitBytes) : limitBytes_(limitBytes) {}

void CommLog::AppendLog(std::string_view text, bool render) {
    AppendPiece(RenderLogPiece(text, render, settings_.mode));
}

void CommLog::AppendReceived(std::string_view bytes) {
    const std::string piece = RenderReceivedBytes(bytes, settings_.mode);
    if (text_.size() + piece.size() <= limitBytes_) {
        AppendPiece(piece);
        return;
    }
    // The oldest lines are dropped after the very byte that passes the limit, as byte by byte.
    for (size_t i = 0; i < bytes.size(); ++i) {
        AppendPiece(RenderReceivedBytes(bytes.substr(i, 1), settings_.mode));
    }
}

template <typename Tell>
void CommLog::TellFollowers(Tell tell) {
    for (Observer* follower : {observer_, recorder_}) {
        if (follower) tell(*follower);
    }
}

void CommLog::AppendPiece(const std::string& piece) {
    if (piece.empty()) return;
    if (telling_) {
        heldBack_ += piece;
        return;
    }
    text_ += piece;
    telling_ = true;
    TellFollowers([&](Observer& follower) { follower.OnAppended(piece); });
    telling_ = false;
    if (text_.size() > limitBytes_) DropOldestLines();
    if (!heldBack_.empty()) AppendPiece(std::exchange(heldBack_, {}));
}

void CommLog::Clear() {
    std::string().swap(text_);  // give a large log's memory back, not just its length
    TellFollowers([](Observer& follower) { follower.OnCleared(); });
}

// Drops towards three quarters of the limit, so that the kept text is moved once per quarter
// of the limit appended rather than once per append. The cut goes just after a line end: the
// last one that keeps the text within the limit and drops no more than the aim, else the first
// one after the aim. A log without any such line end is cut mid-line to stay bounded.
void CommLog::DropOldestLines() {
    const size_t keepAim = limitBytes_ - limitBytes_ / 4;
    const size_t mustDrop = text_.size() - limitBytes_;
    const size_t aimDrop = text_.size() - keepAim;
    const std::string_view acceptable =
        std::string_view(text_).substr(mustDrop - 1, aimDrop - mustDrop + 1);
    size_t lineEnd = acceptable.rfind('\n');
    if (lineEnd != std::string_view::npos) {
        lineEnd += mustDrop - 1;
    } else {
        lineEnd = text_.find('\n', aimDrop - 1);
    }
    const size_t count = lineEnd == std::string::npos ? aimDrop : lineEnd + 1;
    text_.erase(0, count);
    TellFollowers([&](Observer& follower) { follower.OnDroppedFront(count); });
}

}  // namespace zel
