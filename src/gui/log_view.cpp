#include "gui/log_view.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace zel {
namespace {

const QString kNewTextBelow = QStringLiteral("\u25BC new text below");
constexpr int kMarkerPadding = 4;

// Where the bar's handle would be drawn for that range and value.
QRect SliderRect(const QScrollBar& bar, int maximum, int value, int pageStep) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = maximum;
    option.sliderPosition = option.sliderValue = value;
    option.singleStep = bar.singleStep();
    option.pageStep = pageStep;
    option.subControls = QStyle::SC_All;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                       &bar);
}

}  // namespace

// The usual monospace fonts lack the control pictures the box shows for control bytes, which
// would be drawn as identical boxes; FreeMono, a dependency of the package, has them all.
QFont LogView::LogFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // The system's name may be an alias ("monospace") that a list of families does not resolve;
    // the family it stands for keeps the look it had.
    font.setFamilies({QFontInfo(font).family(), QStringLiteral("FreeMono")});
    return font;
}

LogView::LogView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(LogFont());
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(kRepaintMs);
    connect(&updateTimer_, &QTimer::timeout, this, &LogView::Redraw);
    scrollBarTimer_.setSingleShot(true);
    scrollBarTimer_.setInterval(kScrollBarMs);
    connect(&scrollBarTimer_, &QTimer::timeout, this, [this] { UpdateScrollBars(false); });
    verticalScrollBar()->installEventFilter(this);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &LogView::OnScrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    marker_ = new QLabel(kNewTextBelow, this);
    marker_->setObjectName(QStringLiteral("newTextBelow"));
    marker_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    marker_->setMargin(kMarkerPadding / 2);
    marker_->setAutoFillBackground(true);
    marker_->setBackgroundRole(QPalette::ToolTipBase);
    marker_->setForegroundRole(QPalette::ToolTipText);
    marker_->setCursor(Qt::PointingHandCursor);
    marker_->installEventFilter(this);
    marker_->hide();
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
    index_.Append(piece);
    if (!following_) SetNewTextBelow(true);
    changedFrom_ = std::min(changedFrom_, LineCount() - 1);
    ScheduleUpdate();
}

void LogView::OnDroppedFront(size_t count) {
    redrawAll_ = true;
    const int64_t droppedBefore = index_.DroppedLines();
    index_.DropFront(count, log_ ? std::string_view(log_->Text()) : std::string_view());
    droppedBytes_ += count;
    lineCache_.clear();
    // The lines in view stay in view: the rows above them went.
    const auto gone = static_cast<int>(index_.DroppedLines() - droppedBefore);
    topLine_ = std::max(0, topLine_ - gone);
    if (!following_) {
        const QSignalBlocker blocker(verticalScrollBar());
        verticalScrollBar()->setValue(std::max(0, verticalScrollBar()->value() - gone));
    }
    ScheduleUpdate();
}

void LogView::OnCleared() {
    redrawAll_ = true;
    index_.Clear();
    lineCache_.clear();
    droppedBytes_ = 0;
    topLine_ = 0;
    anchor_ = caret_ = {};
    following_ = true;
    SetNewTextBelow(false);
    ScheduleUpdate();
}

void LogView::ScheduleUpdate() {
    if (!updateTimer_.isActive()) updateTimer_.start();
    if (!scrollBarTimer_.isActive()) scrollBarTimer_.start();
}

void LogView::UpdateNow() {
    UpdateScrollBars();
    Redraw();
}

// While following, the lines already drawn move up by what arrived: their pixels are scrolled
// and only the lines that changed are drawn again.
void LogView::Redraw() {
    updateTimer_.stop();
    const int oldTop = topLine_;
    topLine_ = following_ ? std::max(0, static_cast<int>(LineCount()) - FullRows())
                          : verticalScrollBar()->value();
    const int moved = topLine_ - oldTop;
    const int spacing = fontMetrics().lineSpacing();
    if (!redrawAll_ && moved >= 0 && moved < FullRows()) {
        if (moved > 0) viewport()->scroll(0, -moved * spacing);
        const int fromRow = static_cast<int>(std::max<qsizetype>(0, changedFrom_ - TopLine()));
        viewport()->update(0, fromRow * spacing, viewport()->width(), viewport()->height());
    } else {
        viewport()->update();
    }
    redrawAll_ = false;
    changedFrom_ = LineCount() - 1;
}

int LogView::FullRows() const {
    return std::max(1, viewport()->height() / fontMetrics().lineSpacing());
}

int LogView::TopLine() const {
    return topLine_;
}

// A styled scroll bar repaints at every change of its range; a change that would leave its
// handle where it is waits until the operator reaches for the bar.
void LogView::UpdateScrollBars(bool evenUnseen) {
    scrollBarTimer_.stop();
    scrollingItself_ = true;
    QScrollBar* vertical = verticalScrollBar();
    const int rows = FullRows();
    const int maximum = static_cast<int>(std::max<qsizetype>(0, LineCount() - rows));
    const int value = following_ ? maximum : std::min(vertical->value(), maximum);
    scrollBarBehind_ = !evenUnseen && SliderRect(*vertical, maximum, value, rows) ==
                                          SliderRect(*vertical, vertical->maximum(),
                                                     vertical->value(), vertical->pageStep());
    if (!scrollBarBehind_) {
        vertical->setPageStep(rows);
        vertical->setRange(0, maximum);
        if (following_) vertical->setValue(maximum);
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const int widest = fontMetrics().horizontalAdvance(QLatin1Char('M')) *
                       static_cast<int>(index_.LongestLine() + 1);
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('M')));
    horizontal->setRange(0, std::max(0, widest - viewport()->width()));
    scrollingItself_ = false;
}

// The operator's scrolling decides whether the view follows: at the end it does.
void LogView::OnScrolled() {
    if (scrollingItself_) return;
    following_ = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    if (following_) SetNewTextBelow(false);
    redrawAll_ = true;
    Redraw();
}

void LogView::CatchUpScrollBars() {
    if (scrollBarTimer_.isActive() || scrollBarBehind_) UpdateScrollBars();
}

bool LogView::eventFilter(QObject* watched, QEvent* event) {
    // A click on the marker goes to the newest text.
    if (watched == marker_ && event->type() == QEvent::MouseButtonPress) {
        MoveCaret(End(), false);
        ScrollToEnd();
        return true;
    }
    if (watched == verticalScrollBar()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::Wheel:
            case QEvent::KeyPress:
                CatchUpScrollBars();
                break;
            default:
                break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void LogView::ScrollToEnd() {
    following_ = true;
    SetNewTextBelow(false);
    UpdateNow();
}

void LogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    PlaceMarker();
    redrawAll_ = true;
    UpdateNow();
}

QString LogView::ShownLines(qsizetype first, qsizetype count) const {
    if (!log_ || count <= 0) return {};
    const LogLineIndex::Bytes from = index_.LineBytes(first);
    const LogLineIndex::Bytes to = index_.LineBytes(first + count - 1);
    // Each line starts the mapping afresh, so the lines map in one go; the line feed that may
    // end the last of them (never the log's last line) is not part of them.
    QString text = DisplayLogText(
        std::string_view(log_->Text()).substr(from.first, to.first + to.size - from.first));
    if (first + count < LineCount() && text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

QString LogView::LineText(qsizetype line) const {
    return ShownLines(line, 1);
}

// A carriage return only ever ends a line, and a line feed ends it too: every other byte is
// one character.
qsizetype LogView::LineLength(qsizetype line) const {
    if (!log_) return 0;
    const LogLineIndex::Bytes bytes = index_.LineBytes(line);
    const std::string_view text = std::string_view(log_->Text()).substr(bytes.first, bytes.size);
    const auto breaks = std::count_if(text.begin(), text.end(),
                                      [](char byte) { return byte == '\r' || byte == '\n'; });
    return static_cast<qsizetype>(text.size()) - breaks;
}

const QStaticText& LogView::CachedLine(qsizetype line) {
    const LogLineIndex::Bytes bytes = index_.LineBytes(line);
    const QPair<uint64_t, uint64_t> key(droppedBytes_ + bytes.first, bytes.size);
    auto found = lineCache_.find(key);
    if (found == lineCache_.end()) {
        QStaticText text(LineText(line));
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.prepare(QTransform(), font());
        found = lineCache_.insert(key, text);
    }
    return *found;
}

int LogView::ColumnX(qsizetype line, qsizetype column) const {
    if (column <= 0) return 0;
    return fontMetrics().horizontalAdvance(LineText(line).left(column));
}

void LogView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().brush(QPalette::Base));
    const int spacing = fontMetrics().lineSpacing();
    const qsizetype top = TopLine();
    // Only the rows the update asks for: usually the one or two lines that arrived.
    const QRect rows = event->rect();
    const qsizetype first = top + rows.top() / spacing;
    const qsizetype last = std::min<qsizetype>(LineCount(), top + rows.bottom() / spacing + 1);
    // Lines scrolled away are laid out again only when they come back.
    if (lineCache_.size() > 4 * (FullRows() + 1) + 16) lineCache_.clear();
    for (qsizetype line = first; line < last; ++line) {
        PaintLine(painter, line, static_cast<int>(line - top) * spacing);
    }
}

void LogView::PaintLine(QPainter& painter, qsizetype line, int y) {
    const int x = -horizontalScrollBar()->value();
    const QStaticText& text = CachedLine(line);
    const int spacing = fontMetrics().lineSpacing();
    const auto [from, to] = std::minmax(anchor_, caret_);
    const int64_t number = index_.DroppedLines() + line;
    if (from != to && number >= from.line && number <= to.line) {
        const int left = number == from.line ? ColumnX(line, from.column) : 0;
        // A selected line end shows as a little room after the line.
        const int right = number == to.line
                              ? ColumnX(line, to.column)
                              : ColumnX(line, LineLength(line)) + fontMetrics().averageCharWidth();
        const QRect selected(x + left, y, right - left, spacing);
        painter.fillRect(selected, palette().brush(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawStaticText(x, y, text);
        painter.save();
        painter.setClipRect(selected);
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawStaticText(x, y, text);
        painter.restore();
    } else {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawStaticText(x, y, text);
    }
    if (hasFocus() && number == caret_.line) {
        const int caretX = x + ColumnX(line, caret_.column);
        painter.fillRect(caretX, y, 1, spacing, palette().color(QPalette::Text));
    }
}

// The marker stands in a strip of its own below the lines, so it never hides one of them.
void LogView::SetNewTextBelow(bool below) {
    if (newTextBelow_ == below) return;
    newTextBelow_ = below;
    setViewportMargins(0, 0, 0, below ? marker_->sizeHint().height() : 0);
    PlaceMarker();
    marker_->setVisible(below);
}

void LogView::PlaceMarker() {
    const QRect lines = viewport()->geometry();
    marker_->setGeometry(lines.left(), lines.bottom() + 1, lines.width(),
                         marker_->sizeHint().height());
}

}  // namespace zel
