#include "gui/log_view.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

namespace zel {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);  // an undo stack would keep a second copy of everything logged
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

LogView::~LogView() {
    Follow(nullptr);
}

void LogView::Follow(CommLog* log) {
    if (log_) log_->SetObserver(nullptr);
    log_ = log;
    OnCleared();
    if (!log_) return;
    log_->SetObserver(this);
    OnAppended(log_->Text());
}

void LogView::OnAppended(std::string_view piece) {
    waiting_.append(piece);
    ScheduleFlush();
}

void LogView::OnDroppedFront(size_t count) {
    const size_t shownBytes = static_cast<size_t>(mapper_.Bytes());
    const size_t fromBox = std::min(count, shownBytes);
    const qsizetype characters = mapper_.DropFront(fromBox);
    if (characters > 0) {
        QTextCursor cursor(document());
        cursor.setPosition(static_cast<int>(characters), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    ForgetWaiting(count - fromBox);
}

void LogView::OnCleared() {
    std::string().swap(waiting_);
    waitingFront_ = 0;
    mapper_.Reset();
    clear();
}

void LogView::FlushAll() {
    InsertAtEnd(Waiting().size());
}

// Consumed bytes are cut off the buffer only once they are the larger part, so a flood worked
// off in many passes is not moved again at every pass.
void LogView::ForgetWaiting(size_t byteCount) {
    waitingFront_ += std::min(byteCount, Waiting().size());
    if (waitingFront_ == waiting_.size()) {
        waiting_.clear();
        waitingFront_ = 0;
    } else if (waitingFront_ > waiting_.size() / 2) {
        waiting_.erase(0, waitingFront_);
        waitingFront_ = 0;
    }
}

void LogView::ScheduleFlush() {
    if (flushScheduled_) return;
    flushScheduled_ = true;
    QTimer::singleShot(0, this, &LogView::FlushPass);
}

void LogView::FlushPass() {
    flushScheduled_ = false;
    InsertAtEnd(std::min(Waiting().size(), kMaxBytesPerPass));
    if (!Waiting().empty()) ScheduleFlush();
}

void LogView::InsertAtEnd(size_t byteCount) {
    if (byteCount == 0) return;
    const QString text = mapper_.Map(Waiting().substr(0, byteCount));
    ForgetWaiting(byteCount);
    if (!text.isEmpty()) {
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
    }
    // The caret follows the newest text, and the box scrolls to it.
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace zel
