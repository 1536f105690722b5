#include "naive_log.h"

#include "services/custom_string.h"

namespace zel::bench {

void NaiveLog::AddHeaderAtLineStart(const std::string& source) {
    if (!lineStart_) return;
    lineStart_ = false;
    Add("Received (" + source + "): ", false);
}

void NaiveLog::OnSerialArrival(std::string_view bytes) {
    AddHeaderAtLineStart("COM1");
    Add(std::string(bytes), true);
    if (bytes.find_first_of("\r\n") != std::string_view::npos) {
        Add("\r\n", false);
        lineStart_ = true;
    }
    RenderAll();
}

void NaiveLog::OnDatagram(std::string_view bytes) {
    AddHeaderAtLineStart("127.0.0.1");
    std::string data;
    for (char byte : bytes) {
        if (byte == '\0') {
            data += kZeroMarker;
        } else {
            data += byte;
        }
    }
    Add(std::move(data), true);
    Add("\r\n", false);
    lineStart_ = true;  // every datagram is a line of its own
    RenderAll();
}

void NaiveLog::RenderAll() {
    text_.clear();
    for (const Piece& piece : pieces_)
        text_ += RenderLogPiece(piece.bytes, piece.render, LogMode::Mixed);
}

}  // namespace zel::bench
