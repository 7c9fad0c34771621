#pragma once

#include <functional>

#include "net/NetListener.h"
#include "util/TaskRelay.h"

namespace trundlex {

// Hands the network's events to the controller's thread and makes the network's delivery
// thread wait until each one has been handled, so a later event is never looked at before an
// earlier one. release() lets a waiting delivery thread go when the controller goes away.
class NetEventBridge : public NetListener {
public:
    NetEventBridge(TaskHandoff& handoff, std::function<void(NetEvent)> handler)
        : handler_(std::move(handler)), handoff_(handoff) {}

    void onNetEvent(NetEvent event) override {
        handoff_.run([this, event] { handler_(event); });
    }
    void release() { handoff_.release(); }

private:
    std::function<void(NetEvent)> handler_;
    TaskHandoff& handoff_;
};

}  // namespace trundlex
