#pragma once

#include <functional>

namespace trundlex {

// Carries work from any thread to the thread that owns the relay (a program's user-interface
// thread), to run there later, in the order posted. Background work reports its results
// through it, so that its owner never has to lock anything.
class TaskRelay {
public:
    virtual ~TaskRelay() = default;
    // Queues the task; false (the task dropped) once the relay no longer delivers.
    virtual bool post(std::function<void()> task) = 0;
};

// Runs work on the owner's thread and makes the calling thread wait until it has run, the
// way a ball's worker and the network's delivery thread hand over their notifications.
class TaskHandoff {
public:
    virtual ~TaskHandoff() = default;
    // Returns once `work` has run; false when the handoff was released (the work did not run).
    virtual bool run(std::function<void()> work) = 0;
    // Lets every waiting thread go on without its work, and drops what is asked later.
    virtual void release() = 0;
};

}  // namespace trundlex
