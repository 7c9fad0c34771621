#include "util/TaskQueue.h"

#include <memory>

namespace trundlex {

bool TaskQueue::post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    if (released_) {
        return false;
    }
    tasks_.push_back(std::move(task));
    changed_.notify_all();
    return true;
}

bool TaskQueue::run(std::function<void()> work) {
    if (std::this_thread::get_id() == owner_) {
        work();
        return true;
    }
    auto done = std::make_shared<bool>(false);
    if (!post([this, done, work = std::move(work)] {
            work();
            std::lock_guard lock(mutex_);
            *done = true;
            changed_.notify_all();
        })) {
        return false;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return *done || released_; });
    return *done;
}

void TaskQueue::release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    tasks_.clear();
    changed_.notify_all();
}

std::function<void()> TaskQueue::take(Deadline deadline) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_until(lock, deadline, [&] { return !tasks_.empty(); })) {
        return {};
    }
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    return task;
}

bool TaskQueue::waitForTask(Deadline deadline) {
    std::unique_lock lock(mutex_);
    return changed_.wait_until(lock, deadline, [&] { return !tasks_.empty(); });
}

bool TaskQueue::isReleased() const {
    std::lock_guard lock(mutex_);
    return released_;
}

}  // namespace trundlex
