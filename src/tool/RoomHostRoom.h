#pragma once
// What a room of the room host holds, for the host's own files.
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "EventLog.h"
#include "RoomHost.h"
#include "ServeHost.h"
#include "net/NetGame.h"
#include "play/Match.h"

namespace trundlex::tool {

// The resident memory of this process in KiB, where the system tells it; 0 elsewhere.
long residentKib();

struct Room : public NetListener {
    Room(RoomHost& owner, std::string code, bool classic, EventLog& parentLog)
        : owner(owner),
          code(std::move(code)),
          classic(classic),
          log(parentLog, "room " + this->code + " ") {}

    void onNetEvent(NetEvent event) override {
        switch (event) {
            case NetConnectionAdded:
            case NetConnectionClosed:
            case NetLobbyClosed:
            case NetEnded:
                owner.roomChanged(*this);
                break;
            default:
                break;
        }
    }

    RoomHost& owner;
    const std::string code;
    const bool classic;
    EventLog log;
    Match match;
    std::unique_ptr<ServeHost> host;
    // Under the room host's lock.
    bool started = false;
    bool ended = false;
    const std::chrono::steady_clock::time_point openedAt = std::chrono::steady_clock::now();
    // Under the room host's lock: when a started game's last client went, while it waits for
    // a player to come back (Settings::rejoinWait).
    std::optional<std::chrono::steady_clock::time_point> emptySince;
    // Holds one of the creator's address's rooms (AddressLimits) while the room lives.
    std::shared_ptr<void> creation;
    // Declared last: it goes first, waiting for its work while the rest is still there.
    std::unique_ptr<NetGame> net;
};

}  // namespace trundlex::tool
