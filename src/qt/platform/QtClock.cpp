#include "QtClock.h"

namespace trundlex {

QtClock::~QtClock() {
    for (auto& [id, timer] : timers_) {
        delete timer.data();
    }
}

Clock::TimerId QtClock::startTimer(int milliseconds, std::function<void()> task) {
    const TimerId id = ++last_;
    auto* timer = new QTimer(context_);
    timer->setSingleShot(true);
    timer->setInterval(milliseconds);
    QObject::connect(timer, &QTimer::timeout, context_, [this, id, task = std::move(task)] {
        // Forgotten before the task runs: the task may start the next timer.
        const auto it = timers_.find(id);
        if (it == timers_.end()) {
            return;
        }
        if (QTimer* timer = it->second.data()) {
            timer->deleteLater();
        }
        timers_.erase(it);
        task();
    });
    timers_[id] = timer;
    timer->start();
    return id;
}

void QtClock::stopTimer(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    if (QTimer* timer = it->second.data()) {
        timer->stop();
        timer->deleteLater();
    }
    timers_.erase(it);
}

}  // namespace trundlex
