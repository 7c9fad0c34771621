#include "MatchLoop.h"

#include <chrono>
#include <memory>

namespace trundlex::web {

Clock::TimerId MatchLoop::startTimer(int milliseconds, std::function<void()> task) {
    const TimerId id = ++last_;
    timers_.emplace(std::pair{now_ + milliseconds, id}, std::move(task));
    return id;
}

void MatchLoop::stopTimer(TimerId id) {
    std::erase_if(timers_, [id](const auto& timer) { return timer.first.second == id; });
}

bool MatchLoop::post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    if (released_) {
        return false;
    }
    tasks_.push_back(std::move(task));
    posted_.notify_all();
    return true;
}

bool MatchLoop::run(std::function<void()> work) {
    if (std::this_thread::get_id() == owner_) {
        work();
        return true;
    }
    auto done = std::make_shared<bool>(false);
    if (!post([this, done, work = std::move(work)] {
            work();
            std::lock_guard lock(mutex_);
            *done = true;
            posted_.notify_all();
        })) {
        return false;
    }
    std::unique_lock lock(mutex_);
    posted_.wait(lock, [&] { return *done || released_; });
    return *done;
}

void MatchLoop::release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    tasks_.clear();
    posted_.notify_all();
}

MatchLoop::Step MatchLoop::step(const std::function<bool()>& busy) {
    std::function<void()> task;
    {
        std::unique_lock lock(mutex_);
        // Work on another thread will post its result: wait for it rather than let time pass.
        // (`busy` is asked with the lock open: the work may be posting right now.)
        while (tasks_.empty() && !released_) {
            lock.unlock();
            const bool working = busy && busy();
            lock.lock();
            if (!working || !tasks_.empty()) {
                break;
            }
            posted_.wait_for(lock, std::chrono::milliseconds(5));
        }
        if (!tasks_.empty()) {
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
    }
    if (task) {
        task();
        return Step::RanTask;
    }
    if (timers_.empty()) {
        return Step::Idle;
    }
    const auto due = timers_.begin();
    now_ = due->first.first;
    const std::function<void()> timer = std::move(due->second);
    timers_.erase(due);
    timer();
    return Step::RanTimer;
}

}  // namespace trundlex::web
