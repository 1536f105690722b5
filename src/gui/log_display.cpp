#include "gui/log_display.h"

namespace zel {

QString DisplayLogText(std::string_view bytes) {
    return LogDisplayMapper().Map(bytes);
}

QString LogDisplayMapper::Map(std::string_view bytes) {
    struct Sink {
        QString& out;
        void Shown(QChar shown) { out += shown; }
        void Break(uint64_t) { out += QChar(kLineFeed); }
    };
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    Sink sink{out};
    Walk(bytes, sink);
    return out;
}

}  // namespace zel
