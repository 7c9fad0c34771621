#pragma once

#include "net/Connection.h"
#include "net/MessageFramer.h"

namespace trundlex {

class NetSession;

// What becomes of a connection after one of its messages.
enum class DispatchResult : std::int32_t { Keep = 0, Close = 1 };

// The messages one side of a network game handles, and what it does when a connection
// starts and ends. A server and a client accept different letters: each handles only what
// its peer's role may send and ignores the rest, so a client cannot wipe a server's players
// ("O") or close its lobby ("G"). Called with NetGame's lock held.
class NetRole {
public:
    explicit NetRole(NetSession& session) : session_(session) {}
    virtual ~NetRole() = default;
    NetRole(const NetRole&) = delete;
    NetRole& operator=(const NetRole&) = delete;

    // The first messages on a new connection.
    virtual void greet(Connection& connection) = 0;
    // Handles one message of a listed connection.
    virtual DispatchResult dispatch(Connection& sender, const NetMessage& message) = 0;
    // Tells everybody that a listed connection has ended, before it is taken out.
    virtual void reportLoss(Connection& connection) = 0;

protected:
    NetSession& session_;
};

}  // namespace trundlex
