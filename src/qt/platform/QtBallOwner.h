#pragma once

#include <QObject>
#include <functional>

#include "BlockingHandoff.h"
#include "ball/BallTypes.h"

namespace trundlex {

// Hands a ball's notifications from its worker thread to a handler on the thread of a Qt
// object and makes the worker wait until the handler has run (see BlockingHandoff). A
// notification made on the object's own thread (a putt run there with PuttNow) calls the
// handler at once. release() (and the destructor) lets every waiting worker go on without
// its handler, so a window that closes while a ball rolls never hangs the program.
class QtBallOwner : public BallOwner {
public:
    using Handler = std::function<void(std::int32_t ballId, BallNotification code)>;

    // `context` decides the thread the handler runs on; it must outlive this owner.
    QtBallOwner(QObject* context, Handler handler)
        : handler_(std::move(handler)), handoff_(context) {}

    void onBallNotification(std::int32_t ballId, BallNotification code) override {
        handoff_.run([this, ballId, code] { handler_(ballId, code); });
    }

    // From now on notifications are dropped and waiting workers released.
    void release() { handoff_.release(); }

private:
    Handler handler_;
    BlockingHandoff handoff_;
};

}  // namespace trundlex
