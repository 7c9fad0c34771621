#include "GuiThreadRelay.h"

namespace trundlex {

GuiThreadRelay::GuiThreadRelay(QObject* parent) : QObject(parent) {}

GuiThreadRelay::~GuiThreadRelay() { close(); }

bool GuiThreadRelay::post(std::function<void()> task) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return false;
        }
        tasks_.push_back(std::move(task));
        wake = !wakeUpPending_;
        wakeUpPending_ = true;
    }
    if (wake) {
        QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
    }
    return true;
}

void GuiThreadRelay::close() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        dropped.swap(tasks_);
    }
}

void GuiThreadRelay::drain() {
    std::deque<std::function<void()>> ready;
    {
        std::lock_guard lock(mutex_);
        wakeUpPending_ = false;
        ready.swap(tasks_);
    }
    for (auto& task : ready) {
        task();
    }
}

}  // namespace trundlex
