#pragma once
// Writes the log to a file as it grows, as the log box shows it (the current mode's rendering,
// in UTF-8). Each line goes to the file, flushed, once it is complete, so a terminal that dies
// leaves every complete line in the file. A file that cannot be written is told in the log once
// and no longer written to. With a rotation size, a file that reaches it becomes PATH.1 (the
// older ones PATH.2 to PATH.5) and a new PATH begins.
#include <QByteArray>
#include <QFile>

#include "gui/log_display.h"
#include "services/comm_log.h"
#include "services/log_recorder.h"

namespace zel {

class LogFileRecorder : public ILogRecorder, public CommLog::Observer {
  public:
    static constexpr int kKeptRotations = 5;

    explicit LogFileRecorder(CommLog& log);
    ~LogFileRecorder() override;

    bool Apply(const LogFileSettings& settings) override;

    void OnAppended(std::string_view piece) override;
    void OnDroppedFront(size_t) override {}
    void OnCleared() override {}  // the box is emptied; the record keeps what it holds

  private:
    bool Open();
    void Stop();
    void Fail(const QString& reason);
    bool Rotate();

    CommLog& log_;
    LogFileSettings settings_;
    QFile file_;
    LogDisplayMapper mapper_;
    QByteArray unfinished_;  // the shown text of the line still being logged
};

}  // namespace zel
