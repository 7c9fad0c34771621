#include "BlockingHandoff.h"

#include <QThread>

namespace trundlex {

BlockingHandoff::BlockingHandoff(QObject* context)
    : context_(context), shared_(std::make_shared<Shared>()) {
    relay_.moveToThread(context->thread());
}

BlockingHandoff::~BlockingHandoff() {
    release();
    relay_.close();
}

void BlockingHandoff::release() {
    std::lock_guard lock(shared_->mutex);
    shared_->gone = true;
    shared_->handled.notify_all();
}

bool BlockingHandoff::run(std::function<void()> work) {
    const std::shared_ptr<Shared> shared = shared_;
    if (QThread::currentThread() == context_->thread()) {
        {
            std::lock_guard lock(shared->mutex);
            if (shared->gone) {
                return false;
            }
        }
        work();
        return true;
    }

    std::unique_lock lock(shared->mutex);
    if (shared->gone) {
        return false;
    }
    const std::uint64_t ticket = ++shared->posted;
    // Posted under the lock, so release() cannot let the relay go away in between.
    const bool queued = relay_.post([shared, ticket, work = std::move(work)] {
        bool run = false;
        {
            std::lock_guard guard(shared->mutex);
            run = !shared->gone;
        }
        if (run) {
            work();
        }
        std::lock_guard guard(shared->mutex);
        shared->done = std::max(shared->done, ticket);
        shared->handled.notify_all();
    });
    if (!queued) {
        return false;
    }
    shared->handled.wait(lock, [&] { return shared->gone || shared->done >= ticket; });
    return shared->done >= ticket;
}

}  // namespace trundlex
