#include "app/zelctl/qt_event_loop.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace zel::ctl {

bool QtEventLoop::RunUntil(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    // Wakes the wait below when the time is up, should nothing else happen.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(ms);
    QEventLoop loop;
    while (!done()) {
        if (deadline.hasExpired()) return false;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace zel::ctl
