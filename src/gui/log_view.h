#pragma once
// The communication log box. It follows the log's announcements and inserts what was appended
// during one pass of the event loop at the end in one go, so a device that floods the terminal
// byte by byte costs one insertion per pass rather than one per byte.
#include <QPlainTextEdit>
#include <string>

#include "gui/log_display.h"
#include "terminal/comm_log.h"

namespace zel {

class LogView : public QPlainTextEdit, public CommLog::Observer {
    Q_OBJECT

  public:
    // Enough for a smooth pass; the rest waits for the next one so input is not starved.
    static constexpr size_t kMaxBytesPerPass = 256 * 1024;

    explicit LogView(QWidget* parent = nullptr);
    ~LogView() override;

    // Shows the log's text and follows it from now on; null stops following.
    void Follow(CommLog* log);

    void OnAppended(std::string_view piece) override;
    void OnDroppedFront(size_t count) override;
    void OnCleared() override;

    // Inserts everything still waiting; for tests and before reading the box's text.
    void FlushAll();

  private:
    void ScheduleFlush();
    void FlushPass();
    void InsertAtEnd(size_t byteCount);
    std::string_view Waiting() const { return std::string_view(waiting_).substr(waitingFront_); }
    void ForgetWaiting(size_t byteCount);

    CommLog* log_ = nullptr;
    std::string waiting_;  // appended to the log, not yet in the box, from waitingFront_ on
    size_t waitingFront_ = 0;
    bool flushScheduled_ = false;
    LogDisplayMapper mapper_;
};

}  // namespace zel
