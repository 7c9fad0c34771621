#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "GuiThreadRelay.h"
#include "util/TaskRelay.h"

namespace trundlex {

// Runs work on the thread of a Qt object and makes the calling thread wait until it has run,
// as a synchronous window message would: the way a ball's worker and the network's delivery
// thread hand their notifications to the user interface. The wait is our own mutex and
// condition variable around a queued post, which ThreadSanitizer can follow. Work asked for
// on the object's own thread runs at once.
//
// release() (and the destructor) lets every waiting thread go on without its work, and drops
// what is asked later, so a window that closes never hangs a worker.
class BlockingHandoff : public TaskHandoff {
public:
    // `context` decides the thread the work runs on; it must outlive this object.
    explicit BlockingHandoff(QObject* context);
    ~BlockingHandoff() override;
    BlockingHandoff(const BlockingHandoff&) = delete;
    BlockingHandoff& operator=(const BlockingHandoff&) = delete;

    // Runs `work` on the context's thread and returns when it has run; false when released
    // (the work did not run, or will not).
    bool run(std::function<void()> work) override;
    void release() override;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable handled;
        bool gone = false;
        std::uint64_t posted = 0;
        std::uint64_t done = 0;
    };

    QObject* context_;
    std::shared_ptr<Shared> shared_;
    GuiThreadRelay relay_;
};

}  // namespace trundlex
