#pragma once
// Finding a text in the log box's shown text from where the operator is, either way, going
// round at the ends. The shown text is searched as it is now, so a search still works after the
// log has dropped its oldest lines.
#include <QString>
#include <optional>

namespace zel {

enum class SearchDirection { Forward, Backward };

struct TextMatch {
    qsizetype start = 0;
    qsizetype length = 0;
    bool wrapped = false;  // found only by going round the end (or the start)
    bool operator==(const TextMatch&) const = default;
};

// The match of `needle` after the selection [selectionStart, selectionEnd) (forward) or before
// its start (backward), so that a match already selected is passed over. Nothing when the
// needle is empty or nowhere in the text.
std::optional<TextMatch> FindInText(const QString& text, const QString& needle,
                                    qsizetype selectionStart, qsizetype selectionEnd,
                                    SearchDirection direction, Qt::CaseSensitivity sensitivity);

}  // namespace zel
