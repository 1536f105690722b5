#include "gui/console_window_system.h"

#include <QMetaObject>
#include <algorithm>
#include <climits>
#include <cstdio>

namespace zel {

MessageAnswer ConsoleWindowSystem::MessageBox(const std::string& text, const std::string& caption,
                                              MessageButtons buttons, MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    switch (buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::No;
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::Ok;
    }
}

void ConsoleWindowSystem::SetTimer(int id, unsigned periodMs, std::function<void()> onTick) {
    KillTimer(id);
    auto* timer = new QTimer(&context_);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, std::move(onTick));
    timer->start(static_cast<int>(std::min<unsigned>(periodMs, INT_MAX)));
    timers_[id] = timer;
}

// A tick may kill its own timer (a repeat that reached its limit): the timer stops at once and
// is deleted once the tick has returned.
void ConsoleWindowSystem::KillTimer(int id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    found->second->stop();
    found->second->deleteLater();
    timers_.erase(found);
}

void ConsoleWindowSystem::PostToGui(std::function<void()> work) {
    QMetaObject::invokeMethod(&context_, std::move(work), Qt::QueuedConnection);
}

}  // namespace zel
