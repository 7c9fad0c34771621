// The room host's door side: what becomes of a client's request for a room (a new room, a
// room joined by its code, a seat taken back with its token).
#include "RoomHost.h"
#include "RoomHostRoom.h"

namespace trundlex::tool {

using roomproto::Refusal;

namespace {

std::string roomAnswer(const std::string& code, const std::string& course) {
    return std::string(1, roomproto::Letter) + roomproto::encodeRoom(code, course);
}

}  // namespace

bool RoomHost::lockedOut(const RoomArrival& arrival, AddressLimits::Clock::time_point now) {
    if (!limits_.joinsLocked(arrival.address, now)) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        ++counts_.refusedJoins;
    }
    limitHit("joins", "failed joins: refused " + lineSafe(arrival.peer));
    return true;
}

void RoomHost::joinFailed(const RoomArrival& arrival, AddressLimits::Clock::time_point now) {
    if (limits_.joinFailed(arrival.address, now)) {
        limitHit("joins", "failed joins: " + lineSafe(AddressLimits::keyOf(arrival.address)) +
                              " may not join for " +
                              std::to_string(settings_.perAddress.lockout.count()) + " s");
    }
}

std::optional<std::string> RoomHost::enter(RoomArrival& arrival) {
    using Kind = roomproto::Request::Kind;
    if (arrival.classic) {
        if (!settings_.defaultRoom) {
            return roomproto::encodeRefusal(Refusal::CodeNeeded, {});
        }
        std::unique_lock lock(mutex_);
        if (defaultRoomCode_.empty()) {
            lock.unlock();
            return create(arrival, settings_.defaultCourse);
        }
        const std::string code = defaultRoomCode_;
        lock.unlock();
        // An earlier version reads no refusal: a running game closes the door, as it did.
        if (join(arrival, code, true)) {
            return std::string();
        }
        return std::nullopt;
    }
    switch (arrival.request.kind) {
        case Kind::Create: {
            const auto course =
                roomproto::findCourse(offered_, arrival.request.course, settings_.defaultCourse);
            if (!course) {
                return roomproto::encodeRefusal(Refusal::NoSuchCourse, arrival.request.course);
            }
            return create(arrival, *course);
        }
        case Kind::Join:
            return join(arrival, arrival.request.code, false);
        case Kind::Rejoin:
            return rejoin(arrival, arrival.request.code, arrival.request.token);
        case Kind::List:
        case Kind::Invalid:
            break;
    }
    // Not a code at all (a letter that codes leave out, say): no such room either.
    return roomproto::encodeRefusal(Refusal::NoSuchRoom,
                                    arrival.body.substr(0, arrival.body.find('|')));
}

std::optional<std::string> RoomHost::create(RoomArrival& arrival, std::size_t course) {
    std::shared_ptr<void> creation;
    const auto verdict =
        limits_.createRoom(arrival.address, AddressLimits::Clock::now(), creation);
    if (verdict != AddressLimits::Creation::Allowed) {
        limitHit(verdict == AddressLimits::Creation::TooFast ? "creations" : "rooms",
                 (verdict == AddressLimits::Creation::TooFast ? "rooms created per minute"
                                                              : "rooms per address") +
                     std::string(": refused ") + lineSafe(arrival.peer));
        return roomproto::encodeRefusal(Refusal::TooManyRooms, {});
    }
    // Goes after the lock is released: a room waits for the lock while it goes.
    std::unique_ptr<Room> failed;
    std::lock_guard lock(mutex_);
    const auto outcome = directory_.create(course, RoomDirectory::Clock::now());
    if (!outcome.entered()) {
        return roomproto::encodeRefusal(*outcome.refusal, {});
    }
    auto room = openRoom(outcome.code, course, arrival.classic);
    room->creation = std::move(creation);
    ++counts_.roomsCreated;
    const std::string& name = settings_.courses[course].name();
    // The course of the day says which day's levels the room plays.
    room->log.line("created " + lineSafe(name) +
                   (course == dailyIndex_ ? " (" + lineSafe(room->match.GetName()) + ")"
                                          : std::string()) +
                   " by " + lineSafe(arrival.peer));
    const NetGame::Entry entry = room->net->serveConnection(
        arrival.socket, {arrival.address, arrival.peer, arrival.lease, arrival.webSocket},
        std::move(arrival.received),
        arrival.classic ? std::string() : roomAnswer(outcome.code, name), true,
        arrival.classic ? std::string() : codes_.token());
    if (entry != NetGame::Entry::Taken) {
        // A new room has room for its creator; only a broken socket gets here.
        directory_.setClients(outcome.code, 0, RoomDirectory::Clock::now());
        failed = std::move(room);
        return std::string();
    }
    if (arrival.classic) {
        defaultRoomCode_ = outcome.code;
    }
    rooms_[outcome.code] = std::move(room);
    return std::nullopt;
}

std::optional<std::string> RoomHost::join(RoomArrival& arrival, const std::string& code,
                                          bool classic) {
    const auto now = AddressLimits::Clock::now();
    if (!classic && lockedOut(arrival, now)) {
        return roomproto::encodeRefusal(Refusal::TooManyAttempts, {});
    }
    std::unique_lock lock(mutex_);
    const auto outcome = directory_.join(code);
    const auto found = rooms_.find(code);
    if (!outcome.entered() || found == rooms_.end()) {
        const Refusal why = outcome.refusal.value_or(Refusal::NoSuchRoom);
        ++counts_.refusedJoins;
        lock.unlock();
        log_.line("refused join " + lineSafe(code) + " from " + lineSafe(arrival.peer) + ": " +
                  roomproto::refusalText(why, code));
        if (why == Refusal::NoSuchRoom && !classic) {
            joinFailed(arrival, now);
        }
        return roomproto::encodeRefusal(why, code);
    }
    Room& room = *found->second;
    const std::string& name = settings_.courses[directory_.find(code)->course].name();
    const NetGame::Entry entry = room.net->serveConnection(
        arrival.socket, {arrival.address, arrival.peer, arrival.lease, arrival.webSocket},
        std::move(arrival.received), classic ? std::string() : roomAnswer(code, name), false,
        classic ? std::string() : codes_.token());
    if (entry == NetGame::Entry::Taken) {
        ++counts_.joins;
        room.log.line("joined by " + lineSafe(arrival.peer));
        return std::nullopt;
    }
    ++counts_.refusedJoins;
    directory_.leave(code, RoomDirectory::Clock::now());
    if (entry == NetGame::Entry::Started) {
        directory_.markStarted(code);
        return roomproto::encodeRefusal(Refusal::Started, code);
    }
    return roomproto::encodeRefusal(Refusal::Full, code);
}

std::optional<std::string> RoomHost::rejoin(RoomArrival& arrival, const std::string& code,
                                            const std::string& token) {
    const auto now = AddressLimits::Clock::now();
    if (lockedOut(arrival, now)) {
        return roomproto::encodeRefusal(Refusal::TooManyAttempts, {});
    }
    std::unique_lock lock(mutex_);
    const auto found = rooms_.find(code);
    const RoomDirectory::Room* listed = directory_.find(code);
    NetGame::Entry entry = NetGame::Entry::NoSeat;
    if (found != rooms_.end() && !found->second->ended && listed != nullptr) {
        entry = found->second->net->rejoinConnection(
            arrival.socket, {arrival.address, arrival.peer, arrival.lease, arrival.webSocket},
            std::move(arrival.received),
            roomAnswer(code, settings_.courses[listed->course].name()), token);
    }
    if (entry == NetGame::Entry::Taken) {
        ++counts_.joins;
        found->second->log.line("rejoined by " + lineSafe(arrival.peer));
        return std::nullopt;
    }
    ++counts_.refusedJoins;
    lock.unlock();
    const Refusal why = entry == NetGame::Entry::Full ? Refusal::Full : Refusal::NoSeat;
    log_.line("refused rejoin " + lineSafe(code) + " from " + lineSafe(arrival.peer) + ": " +
              roomproto::refusalText(why, code));
    // A wrong token is a guess like a wrong code.
    if (why == Refusal::NoSeat) {
        joinFailed(arrival, now);
    }
    return roomproto::encodeRefusal(why, code);
}

}  // namespace trundlex::tool
