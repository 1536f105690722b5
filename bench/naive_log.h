#pragma once
// The naive design the log is measured against: the log keeps what it was given and renders
// all of it again after every write from a transport, as a view that rebuilds its whole text
// on each change would. The receive handlers do the same work per write as the terminal's.
#include <string>
#include <string_view>
#include <vector>

#include "services/comm_log.h"

namespace zel::bench {

class NaiveLog {
  public:
    // One serial arrival: the header at a line start, the bytes, a line end when one came.
    void OnSerialArrival(std::string_view bytes);
    // One datagram: the header at a line start, the bytes with zeros marked, a line end.
    void OnDatagram(std::string_view bytes);

    const std::string& Text() const { return text_; }

  private:
    struct Piece {
        std::string bytes;
        bool render;
    };

    void Add(std::string bytes, bool render) { pieces_.push_back({std::move(bytes), render}); }
    void AddHeaderAtLineStart(const std::string& source);
    void RenderAll();

    std::vector<Piece> pieces_;
    std::string text_;
    bool lineStart_ = true;
};

}  // namespace zel::bench
