// The log box's places, selection and the operator's keys and mouse.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <algorithm>

#include "gui/log_view.h"

namespace zel {

qsizetype LogView::IndexOf(const Position& position) const {
    return static_cast<qsizetype>(position.line - index_.DroppedLines());
}

// A place whose line was dropped becomes the start of the log.
LogView::Position LogView::Clamped(Position position) const {
    const qsizetype line = IndexOf(position);
    if (line < 0) return {index_.DroppedLines(), 0};
    if (line >= LineCount()) return End();
    position.column = std::clamp<qsizetype>(position.column, 0, LineLength(line));
    return position;
}

LogView::Position LogView::End() const {
    const qsizetype last = LineCount() - 1;
    return {index_.DroppedLines() + last, LineLength(last)};
}

LogView::Position LogView::PositionAt(const QPoint& point) const {
    const int row = point.y() < 0 ? -1 : point.y() / fontMetrics().lineSpacing();
    const qsizetype line = std::clamp<qsizetype>(TopLine() + row, 0, LineCount() - 1);
    const QString text = LineText(line);
    const int x = point.x() + horizontalScrollBar()->value();
    qsizetype column = 0;
    for (int left = 0; column < text.size(); ++column) {
        const int width = fontMetrics().horizontalAdvance(text.at(column));
        if (x < left + width / 2) break;
        left += width;
    }
    return {index_.DroppedLines() + line, column};
}

LogView::Position LogView::PositionOfShown(qsizetype offset) const {
    for (qsizetype line = 0; line < LineCount(); ++line) {
        const qsizetype length = LineLength(line);
        if (offset <= length) return {index_.DroppedLines() + line, offset};
        offset -= length + 1;
    }
    return End();
}

qsizetype LogView::ShownOffset(const Position& position) const {
    const Position place = Clamped(position);
    qsizetype offset = place.column;
    for (qsizetype line = 0; line < IndexOf(place); ++line) offset += LineLength(line) + 1;
    return offset;
}

void LogView::SelectShown(qsizetype start, qsizetype length) {
    anchor_ = PositionOfShown(start);
    caret_ = PositionOfShown(start + length);
    EnsureVisible(anchor_);
    EnsureVisible(caret_);
    viewport()->update();
}

LogView::ShownRange LogView::Selection() const {
    const qsizetype from = ShownOffset(std::min(anchor_, caret_));
    return {from, ShownOffset(std::max(anchor_, caret_)) - from};
}

QString LogView::SelectedText() const {
    const Position from = Clamped(std::min(anchor_, caret_));
    const Position to = Clamped(std::max(anchor_, caret_));
    if (from == to) return {};
    const QString lines = ShownLines(IndexOf(from), IndexOf(to) - IndexOf(from) + 1);
    const qsizetype end = lines.size() - (LineLength(IndexOf(to)) - to.column);
    return lines.mid(from.column, end - from.column);
}

void LogView::SelectAll() {
    anchor_ = {index_.DroppedLines(), 0};
    caret_ = End();
    viewport()->update();
}

void LogView::Copy() const {
    const QString text = SelectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void LogView::MoveCaret(Position to, bool extendSelection) {
    caret_ = Clamped(to);
    if (!extendSelection) anchor_ = caret_;
    EnsureVisible(caret_);
    viewport()->update();
}

void LogView::EnsureVisible(const Position& position) {
    UpdateScrollBars();
    const int line = static_cast<int>(IndexOf(Clamped(position)));
    QScrollBar* vertical = verticalScrollBar();
    if (line < vertical->value()) vertical->setValue(line);
    if (line >= vertical->value() + FullRows()) vertical->setValue(line - FullRows() + 1);
}

void LogView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) return Copy();
    if (event->matches(QKeySequence::SelectAll)) return SelectAll();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const Position at = Clamped(caret_);
    const qsizetype line = IndexOf(at);
    const int64_t page = FullRows();
    switch (event->key()) {
        case Qt::Key_Left:
            if (at.column > 0) return MoveCaret({at.line, at.column - 1}, extend);
            if (line > 0) return MoveCaret({at.line - 1, LineLength(line - 1)}, extend);
            return MoveCaret(at, extend);
        case Qt::Key_Right:
            if (at.column < LineLength(line)) return MoveCaret({at.line, at.column + 1}, extend);
            return MoveCaret({at.line + 1, 0}, extend);
        case Qt::Key_Up:
            return MoveCaret({at.line - 1, at.column}, extend);
        case Qt::Key_Down:
            return MoveCaret({at.line + 1, at.column}, extend);
        case Qt::Key_PageUp:
            return MoveCaret({at.line - page, at.column}, extend);
        case Qt::Key_PageDown:
            return MoveCaret({at.line + page, at.column}, extend);
        case Qt::Key_Home:
            return MoveCaret({index_.DroppedLines(), 0}, extend);
        case Qt::Key_End:
            MoveCaret(End(), extend);
            return ScrollToEnd();
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void LogView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    MoveCaret(PositionAt(event->pos()), event->modifiers() & Qt::ShiftModifier);
}

void LogView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) MoveCaret(PositionAt(event->pos()), true);
}

// A double click selects the word: the characters around it up to a space.
void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Position at = PositionAt(event->pos());
    const QString text = LineText(IndexOf(at));
    qsizetype first = at.column;
    qsizetype last = at.column;
    while (first > 0 && !text.at(first - 1).isSpace()) --first;
    while (last < text.size() && !text.at(last).isSpace()) ++last;
    anchor_ = {at.line, first};
    caret_ = {at.line, last};
    viewport()->update();
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), this, &LogView::Copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(anchor_ != caret_);
    QAction* all = menu.addAction(QStringLiteral("Select All"), this, &LogView::SelectAll);
    all->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void LogView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void LogView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace zel
