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
    auto timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(onTick));
    timer->start(static_cast<int>(std::min<unsigned>(periodMs, INT_MAX)));
    timers_[id] = std::move(timer);
}

void ConsoleWindowSystem::PostToGui(std::function<void()> work) {
    QMetaObject::invokeMethod(&context_, std::move(work), Qt::QueuedConnection);
}

}  // namespace zel
