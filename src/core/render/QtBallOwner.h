#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "GuiThreadRelay.h"
#include "ball/BallTypes.h"

namespace trundlex {

// Hands a ball's notifications from its worker thread to a handler on the thread of a Qt
// object, and makes the worker wait until the handler has run, as a synchronous window
// message would. The wait is our own mutex and condition variable around a queued post. A
// notification made on the object's own thread (a putt run there with PuttNow) calls the
// handler at once.
//
// release() (and the destructor) lets every waiting worker go on without its handler, so a
// window that closes while a ball rolls never hangs the program.
class QtBallOwner : public BallOwner {
public:
    using Handler = std::function<void(std::int32_t ballId, BallNotification code)>;

    // `context` decides the thread the handler runs on; it must outlive this owner.
    QtBallOwner(QObject* context, Handler handler);
    ~QtBallOwner() override;
    QtBallOwner(const QtBallOwner&) = delete;
    QtBallOwner& operator=(const QtBallOwner&) = delete;

    void onBallNotification(std::int32_t ballId, BallNotification code) override;

    // From now on notifications are dropped and waiting workers released.
    void release();

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable handled;
        bool gone = false;
        std::uint64_t posted = 0;
        std::uint64_t done = 0;
        Handler handler;
    };

    QObject* context_;
    std::shared_ptr<Shared> shared_;
    GuiThreadRelay relay_;
};

}  // namespace trundlex
