#pragma once

#include <functional>

#include "net/NetListener.h"
#include "platform/BlockingHandoff.h"

namespace trundlex {

// Hands the network's events to a window's thread and makes the network's delivery thread
// wait until the window has handled each one, so a later event is never looked at before an
// earlier one. release() lets a waiting delivery thread go when the window closes.
class NetEventBridge : public NetListener {
public:
    NetEventBridge(QObject* context, std::function<void(NetEvent)> handler)
        : handler_(std::move(handler)), handoff_(context) {}

    void onNetEvent(NetEvent event) override {
        handoff_.run([this, event] { handler_(event); });
    }
    void release() { handoff_.release(); }

private:
    std::function<void(NetEvent)> handler_;
    BlockingHandoff handoff_;
};

}  // namespace trundlex
