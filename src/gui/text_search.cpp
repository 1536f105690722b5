#include "gui/text_search.h"

namespace zel {

std::optional<TextMatch> FindInText(const QString& text, const QString& needle,
                                    qsizetype selectionStart, qsizetype selectionEnd,
                                    SearchDirection direction, Qt::CaseSensitivity sensitivity) {
    if (needle.isEmpty()) return std::nullopt;
    qsizetype at = -1;
    if (direction == SearchDirection::Forward) {
        at = text.indexOf(needle, selectionEnd, sensitivity);
    } else if (selectionStart > 0) {
        // A negative start would count from the end.
        at = text.lastIndexOf(needle, selectionStart - 1, sensitivity);
    }
    if (at >= 0) return TextMatch{at, needle.size(), false};
    at = direction == SearchDirection::Forward ? text.indexOf(needle, 0, sensitivity)
                                               : text.lastIndexOf(needle, sensitivity);
    if (at < 0) return std::nullopt;
    return TextMatch{at, needle.size(), true};
}

}  // namespace zel
