#include "gui/qt_update_launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zel {

namespace {

const QString kUpdater = QStringLiteral("updater.exe");
const QString kChecker = QStringLiteral("uptr_check.exe");

}  // namespace

QString QtUpdateLauncher::DefaultFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/updater");
}

bool QtUpdateLauncher::ProgramsPresent() {
    QDir folder(folder_);
    return QFileInfo::exists(folder.filePath(kUpdater)) &&
           QFileInfo::exists(folder.filePath(kChecker));
}

std::optional<int> QtUpdateLauncher::RunChecker(int timeoutMs) {
    // Owned by the application, so a checker still running after the wait is left to finish
    // on its own: the terminal stops waiting, never the checker.
    auto* checker = new QProcess(QCoreApplication::instance());
    QObject::connect(checker, &QProcess::finished, checker, &QObject::deleteLater);
    QObject::connect(checker, &QProcess::errorOccurred, checker,
                     [checker](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) checker->deleteLater();
                     });
    checker->setWorkingDirectory(folder_);
    checker->setProcessChannelMode(QProcess::ForwardedChannels);
    checker->start(QDir(folder_).filePath(kChecker), {QStringLiteral("-checkforupdates")});
    if (!checker->waitForStarted(timeoutMs) || !checker->waitForFinished(timeoutMs)) {
        return std::nullopt;
    }
    if (checker->exitStatus() != QProcess::NormalExit) return std::nullopt;
    return checker->exitCode();
}

bool QtUpdateLauncher::StartUpdater() {
    return QProcess::startDetached(QDir(folder_).filePath(kUpdater), {}, folder_);
}

}  // namespace zel
