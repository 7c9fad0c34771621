#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>

#include "util/Clock.h"

namespace trundlex {

// The clock of a Qt program: single-shot timers on the thread of a Qt object.
class QtClock : public Clock {
public:
    // `context` decides the thread the tasks run on; tasks die with it.
    explicit QtClock(QObject* context) : context_(context) {}
    ~QtClock() override;
    QtClock(const QtClock&) = delete;
    QtClock& operator=(const QtClock&) = delete;

    TimerId startTimer(int milliseconds, std::function<void()> task) override;
    void stopTimer(TimerId id) override;

private:
    QObject* context_;
    // Timers are children of the context; a context that goes first takes them along.
    std::map<TimerId, QPointer<QTimer>> timers_;
    TimerId last_ = 0;
};

}  // namespace trundlex
