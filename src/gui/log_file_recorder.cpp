#include "gui/log_file_recorder.h"

#include <QFileInfo>

namespace zel {

LogFileRecorder::LogFileRecorder(CommLog& log) : log_(log) {
    log_.SetRecorder(this);
}

LogFileRecorder::~LogFileRecorder() {
    log_.SetRecorder(nullptr);
}

bool LogFileRecorder::Apply(const LogFileSettings& settings) {
    if (settings == settings_ && file_.isOpen()) return true;
    Stop();
    settings_ = settings;
    return !settings_.enabled || settings_.path.empty() || Open();
}

bool LogFileRecorder::Open() {
    file_.setFileName(QString::fromStdString(settings_.path));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        Fail(file_.errorString());
        return false;
    }
    return true;
}

void LogFileRecorder::Stop() {
    file_.close();
    mapper_.Reset();
    unfinished_.clear();
}

// Said in the log after the piece that failed, once; the record then stays off until the
// operator turns it on again.
void LogFileRecorder::Fail(const QString& reason) {
    Stop();
    log_.AppendLog("Writing the log to " + settings_.path + " failed (" + reason.toStdString() +
                       "): the log is no longer written to that file.\r\n",
                   false);
}

void LogFileRecorder::OnAppended(std::string_view piece) {
    if (!file_.isOpen()) return;
    unfinished_ += mapper_.Map(piece).toUtf8();
    const qsizetype lastLineEnd = unfinished_.lastIndexOf('\n');
    if (lastLineEnd < 0) return;
    const qsizetype complete = lastLineEnd + 1;
    if (file_.write(unfinished_.constData(), complete) != complete || !file_.flush()) {
        Fail(file_.errorString());
        return;
    }
    unfinished_.remove(0, complete);
    // A file removed under the terminal (or its folder) would swallow the record unseen.
    if (!QFileInfo::exists(file_.fileName())) {
        Fail(QStringLiteral("the file was removed"));
        return;
    }
    if (settings_.rotateKiB > 0 && file_.size() >= qint64(settings_.rotateKiB) * 1024) Rotate();
}

bool LogFileRecorder::Rotate() {
    const QString path = file_.fileName();
    file_.close();
    auto numbered = [&](int n) { return path + QLatin1Char('.') + QString::number(n); };
    QFile::remove(numbered(kKeptRotations));
    for (int n = kKeptRotations - 1; n >= 1; --n) QFile::rename(numbered(n), numbered(n + 1));
    if (!QFile::rename(path, numbered(1))) {
        Fail(QStringLiteral("it could not be renamed to ") + numbered(1));
        return false;
    }
    return Open();
}

}  // namespace zel
