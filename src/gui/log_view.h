#pragma once
// The communication log box. It draws only the lines on screen, mapping each straight from the
// log's text through a line index, and keeps no copy of the text. However many reads arrive, it
// updates at most once per kRepaintMs, and its scroll bars at most once per kScrollBarMs and
// only when that shows: a styled scroll bar costs more to draw than the lines that arrived. It
// follows the newest text while its view is at the end; scrolled up, it stays put and marks that
// new text arrived below.
#include <QAbstractScrollArea>
#include <QHash>
#include <QStaticText>
#include <QTimer>

#include "gui/log_line_index.h"
#include "services/comm_log.h"

class QLabel;

namespace zel {

class LogView : public QAbstractScrollArea, public CommLog::Observer {
    Q_OBJECT

  public:
    // Every other refresh of a 60 Hz screen: text scrolling at 30 updates a second reads as
    // smoothly, and each update costs the program more than the lines it draws.
    static constexpr int kRepaintMs = 33;
    static constexpr int kScrollBarMs = 250;

    // A range of the box's shown text: the text of every line, lines joined by '\n'.
    struct ShownRange {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    explicit LogView(QWidget* parent = nullptr);
    // The system's monospace font, with a fallback that draws every control picture.
    static QFont LogFont();
    ~LogView() override;

    // Shows the log's text and follows it from now on; null stops following.
    void Follow(CommLog* log);

    void OnAppended(std::string_view piece) override;
    void OnDroppedFront(size_t count) override;
    void OnCleared() override;

    qsizetype LineCount() const { return index_.LineCount(); }
    // Lines [first, first + count) joined by '\n'.
    QString ShownLines(qsizetype first, qsizetype count) const;
    QString ShownText() const { return ShownLines(0, LineCount()); }

    // Selects that range of the shown text and scrolls it into view.
    void SelectShown(qsizetype start, qsizetype length);
    ShownRange Selection() const;
    QString SelectedText() const;
    void SelectAll();
    void Copy() const;

    // Whether the view stays at the newest text as it arrives.
    bool IsFollowing() const { return following_; }
    // Whether text arrived below the view since the operator scrolled away from the end.
    bool NewTextBelow() const { return newTextBelow_; }
    // Brings the scroll bars and the view up to date at once instead of at the next update.
    void UpdateNow();
    bool UpdatePending() const { return updateTimer_.isActive() || scrollBarTimer_.isActive(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // A place in the shown text; lines are counted since the last clear, so that a place
    // outlives the dropping of the oldest lines.
    struct Position {
        int64_t line = 0;
        qsizetype column = 0;
        auto operator<=>(const Position&) const = default;
    };

    void ScheduleUpdate();
    void Redraw();
    void UpdateScrollBars(bool evenUnseen = true);
    // Before the operator moves the scroll bar, it has to tell where the view is.
    void CatchUpScrollBars();
    void OnScrolled();
    int FullRows() const;
    int TopLine() const;

    QString LineText(qsizetype line) const;
    qsizetype LineLength(qsizetype line) const;
    const QStaticText& CachedLine(qsizetype line);
    qsizetype IndexOf(const Position& position) const;
    Position Clamped(Position position) const;
    Position PositionAt(const QPoint& point) const;
    Position PositionOfShown(qsizetype offset) const;
    qsizetype ShownOffset(const Position& position) const;
    int ColumnX(qsizetype line, qsizetype column) const;
    Position End() const;

    void MoveCaret(Position to, bool extendSelection);
    void EnsureVisible(const Position& position);
    void ScrollToEnd();
    void SetNewTextBelow(bool below);
    void PlaceMarker();
    void PaintLine(QPainter& painter, qsizetype line, int y);

    CommLog* log_ = nullptr;
    LogLineIndex index_;
    QTimer updateTimer_;
    QTimer scrollBarTimer_;
    bool scrollBarBehind_ = false;  // its range lags the log where that would not show
    int topLine_ = 0;               // the line drawn at the top; the scroll bar may not show it yet
    bool following_ = true;
    bool newTextBelow_ = false;
    QLabel* marker_ = nullptr;
    bool scrollingItself_ = false;  // scroll bar changes made by the box, not the operator
    bool redrawAll_ = true;         // lines in view changed other than at the end
    qsizetype changedFrom_ = 0;     // the first line changed since the last update
    Position anchor_;
    Position caret_;
    // Drawn lines, by where they start in the log and how long they are: still right after
    // the oldest lines are dropped.
    QHash<QPair<uint64_t, uint64_t>, QStaticText> lineCache_;
    uint64_t droppedBytes_ = 0;  // since the last clear
};

}  // namespace zel
