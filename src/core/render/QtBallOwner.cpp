#include "QtBallOwner.h"

#include <QThread>

namespace trundlex {

QtBallOwner::QtBallOwner(QObject* context, Handler handler)
    : context_(context), shared_(std::make_shared<Shared>()) {
    shared_->handler = std::move(handler);
    relay_.moveToThread(context->thread());
}

QtBallOwner::~QtBallOwner() {
    release();
    relay_.close();
}

void QtBallOwner::release() {
    std::lock_guard lock(shared_->mutex);
    shared_->gone = true;
    shared_->handled.notify_all();
}

void QtBallOwner::onBallNotification(std::int32_t ballId, BallNotification code) {
    const std::shared_ptr<Shared> shared = shared_;
    if (QThread::currentThread() == context_->thread()) {
        Handler handler;
        {
            std::lock_guard lock(shared->mutex);
            if (shared->gone) {
                return;
            }
            handler = shared->handler;
        }
        handler(ballId, code);
        return;
    }

    std::unique_lock lock(shared->mutex);
    if (shared->gone) {
        return;
    }
    const std::uint64_t ticket = ++shared->posted;
    // Posted under the lock, so release() cannot let the relay go away in between.
    const bool queued = relay_.post([shared, ticket, ballId, code] {
        Handler handler;
        {
            std::lock_guard guard(shared->mutex);
            if (!shared->gone) {
                handler = shared->handler;
            }
        }
        if (handler) {
            handler(ballId, code);
        }
        std::lock_guard guard(shared->mutex);
        shared->done = std::max(shared->done, ticket);
        shared->handled.notify_all();
    });
    if (!queued) {
        return;
    }
    shared->handled.wait(lock, [&] { return shared->gone || shared->done >= ticket; });
}

}  // namespace trundlex
