#include "RoomHost.h"

#include <fstream>

#include "net/NetGame.h"
#include "play/Match.h"

namespace trundlex::tool {

using roomproto::Refusal;

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

namespace {

std::string roomAnswer(const std::string& code, const std::string& course) {
    return std::string(1, roomproto::Letter) + roomproto::encodeRoom(code, course);
}

// Ends a room's game and waits for its work; on the main thread, without the host's lock.
// A room ends when its client count is seen at zero, which can be while the events of its
// last departures still wait: they are told first (the "over" line among them).
// The resident memory of this process in KiB, where the system tells it; 0 elsewhere.
long residentKib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

void takeDown(std::unique_ptr<Room> room) {
    // Each client learns that the host stops (or that its room ended) before its
    // connection does, so its game ends instead of going on alone.
    room->net->announceHostStop();
    room->net->waitForDeliveries();
    room->net->clearListeners();
    room->net->detachLobby();
    room->net->endGame();
    room->net.reset();
}

}  // namespace

RoomHost::RoomHost(Settings settings, const LevelLibrary& library, EventLog& log,
                   std::function<void()> wake)
    : settings_(std::move(settings)),
      library_(library),
      log_(log),
      wake_(std::move(wake)),
      limits_(settings_.perAddress),
      budget_(std::make_shared<SendBudget>(settings_.maxQueuedBytes)),
      directory_(settings_.maxRooms, codes_),
      io_(2),
      delivery_(2) {
    for (const Course& course : settings_.courses) {
        const std::string& path = course.path();
        offered_.push_back({course.name(), path.substr(path.find_last_of('/') + 1)});
    }
    gate_ = std::make_unique<RoomGate>(io_, *this, settings_.doorTimeouts, settings_.doorLimit);
}

RoomHost::~RoomHost() {
    gate_.reset();
    std::map<std::string, std::unique_ptr<Room>> rooms;
    {
        std::lock_guard lock(mutex_);
        rooms.swap(rooms_);
    }
    for (auto& [code, room] : rooms) {
        takeDown(std::move(room));
    }
}

std::uint16_t RoomHost::listen(std::uint16_t port) {
    return gate_->listen(port);
}

std::size_t RoomHost::roomCount() {
    std::lock_guard lock(mutex_);
    return rooms_.size();
}

std::string RoomHost::courseList() {
    std::vector<std::string> names;
    for (const auto& course : offered_) {
        names.push_back(course.name);
    }
    return roomproto::encodeList(names);
}

void RoomHost::dropped(const std::string& peer, DropReason reason) {
    log_.line("dropped " + lineSafe(peer) +
              (reason == DropReason::Idle ? ": idle" : ": no greeting"));
}

std::shared_ptr<void> RoomHost::admit(const std::string& address) {
    return limits_.admitConnection(address);
}

void RoomHost::refused(const std::string& peer, RoomGate::Refused why) {
    if (why == RoomGate::Refused::DoorFull) {
        limitHit("door", "door full: refused " + lineSafe(peer));
    } else {
        limitHit("connections", "connections per address: refused " + lineSafe(peer));
    }
}

void RoomHost::limitHit(const std::string& kind, const std::string& text) {
    const auto now = std::chrono::steady_clock::now();
    std::string line;
    {
        std::lock_guard lock(mutex_);
        ++counts_.limitHits;
        auto& [last, skipped] = limitLog_[kind];
        if (last != std::chrono::steady_clock::time_point{} &&
            now - last < std::chrono::seconds(1)) {
            ++skipped;
            return;
        }
        line = "limit " + text +
               (skipped > 0 ? " (and " + std::to_string(skipped) + " more)" : std::string());
        last = now;
        skipped = 0;
    }
    log_.line(line);
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
    room->log.line("created " + lineSafe(name) + " by " + lineSafe(arrival.peer));
    const NetGame::Entry entry = room->net->serveConnection(
        arrival.socket, {arrival.address, arrival.peer, arrival.lease}, std::move(arrival.received),
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
    // Locked out after guessing: refused before the code is even looked at, so that a right
    // guess tells nothing either.
    if (!classic && limits_.joinsLocked(arrival.address, now)) {
        {
            std::lock_guard lock(mutex_);
            ++counts_.refusedJoins;
        }
        limitHit("joins", "failed joins: refused " + lineSafe(arrival.peer));
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
        if (why == Refusal::NoSuchRoom && !classic && limits_.joinFailed(arrival.address, now)) {
            limitHit("joins", "failed joins: " + lineSafe(AddressLimits::keyOf(arrival.address)) +
                                  " may not join for " +
                                  std::to_string(settings_.perAddress.lockout.count()) + " s");
        }
        return roomproto::encodeRefusal(why, code);
    }
    Room& room = *found->second;
    const std::string& name = settings_.courses[directory_.find(code)->course].name();
    const NetGame::Entry entry =
        room.net->serveConnection(arrival.socket, {arrival.address, arrival.peer, arrival.lease},
                                  std::move(arrival.received),
                                  classic ? std::string() : roomAnswer(code, name), false,
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
    if (limits_.joinsLocked(arrival.address, now)) {
        {
            std::lock_guard lock(mutex_);
            ++counts_.refusedJoins;
        }
        limitHit("joins", "failed joins: refused " + lineSafe(arrival.peer));
        return roomproto::encodeRefusal(Refusal::TooManyAttempts, {});
    }
    std::unique_lock lock(mutex_);
    const auto found = rooms_.find(code);
    const RoomDirectory::Room* listed = directory_.find(code);
    NetGame::Entry entry = NetGame::Entry::NoSeat;
    if (found != rooms_.end() && !found->second->ended && listed != nullptr) {
        entry = found->second->net->rejoinConnection(
            arrival.socket, {arrival.address, arrival.peer, arrival.lease},
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
    if (why == Refusal::NoSeat && limits_.joinFailed(arrival.address, now)) {
        limitHit("joins", "failed joins: " + lineSafe(AddressLimits::keyOf(arrival.address)) +
                              " may not join for " +
                              std::to_string(settings_.perAddress.lockout.count()) + " s");
    }
    return roomproto::encodeRefusal(why, code);
}

std::unique_ptr<Room> RoomHost::openRoom(const std::string& code, std::size_t course,
                                         bool classic) {
    auto room = std::make_unique<Room>(*this, code, classic, log_);
    const Course& played = settings_.courses[course];
    for (int i = 0; i < played.levelCount(); ++i) {
        room->match.AddLevel(played.levelId(i));
    }
    // Set last: every change of the hole list empties the name.
    room->match.SetName(played.id());
    room->match.SetSoundForAllBalls(false);
    // The rooms only read the library; none adds to it.
    auto& library = const_cast<LevelLibrary&>(library_);
    room->net = std::make_unique<NetGame>(library, io_, delivery_);
    room->net->setSendBudget(budget_);
    NetTimeouts timeouts;
    timeouts.gameIdle = settings_.gameIdle;
    room->net->setTimeouts(timeouts);
    room->host = std::make_unique<ServeHost>(*room->net, room->match, library_, room->log,
                                             classic ? settings_.startWhen : 1,
                                             [this, code] { attention(code); });
    if (!classic) {
        room->host->requireStartRequest();
    }
    room->host->logChatText(settings_.logChat);
    if (!classic && settings_.rejoinWait.count() > 0) {
        room->host->keepGameForReturns();
    }
    room->net->setMatch(&room->match);
    room->net->addListener(room->host.get());
    room->net->addListener(room.get());
    room->net->startRoom(room->host.get());
    return room;
}

void RoomHost::roomChanged(Room& room) {
    std::lock_guard lock(mutex_);
    if (room.ended) {
        return;
    }
    const std::int32_t clients = room.net->connectionCount();
    if (!room.started && room.net->isLobbyClosed()) {
        room.started = true;
        ++counts_.gamesStarted;
        directory_.markStarted(room.code);
    }
    if (clients > 0) {
        room.emptySince.reset();
    } else if (room.started && !room.classic && settings_.rejoinWait.count() > 0 &&
               room.net->seatsWaiting()) {
        // Its code stays live: the players who went may come back with it.
        if (!room.emptySince) {
            room.emptySince = std::chrono::steady_clock::now();
            // The main thread learns when to look again.
            attention(room.code);
        }
        return;
    }
    directory_.setClients(room.code, clients, RoomDirectory::Clock::now());
    if (clients > 0) {
        return;
    }
    room.ended = true;
    // The creator's address may open another room from now on.
    room.creation.reset();
    if (!room.started) {
        // A game that started says so itself when it ends.
        room.log.line("over");
    }
    if (defaultRoomCode_ == room.code) {
        defaultRoomCode_.clear();
    }
    attention(room.code);
}

void RoomHost::attention(const std::string& code) {
    {
        std::lock_guard lock(attentionMutex_);
        attention_.push_back(code);
    }
    wake_();
}

void RoomHost::serviceRooms() {
    std::deque<std::string> codes;
    {
        std::lock_guard lock(attentionMutex_);
        codes.swap(attention_);
    }
    {
        // A lobby nobody starts holds a room and its clients' places for good otherwise.
        const auto now = std::chrono::steady_clock::now();
        std::lock_guard lock(mutex_);
        for (auto& [code, room] : rooms_) {
            if (room->emptySince && !room->ended && now - *room->emptySince >= settings_.rejoinWait) {
                room->ended = true;
                room->creation.reset();
                ++counts_.emptyGamesClosed;
                directory_.setClients(code, 0, RoomDirectory::Clock::now());
                room->log.line("closed: nobody came back within " +
                               std::to_string(settings_.rejoinWait.count()) + " s");
                codes.push_back(code);
                continue;
            }
            if (!room->started && !room->ended && now - room->openedAt >= settings_.lobbyLimit) {
                room->ended = true;
                room->creation.reset();
                ++counts_.lobbiesExpired;
                directory_.setClients(code, 0, RoomDirectory::Clock::now());
                if (defaultRoomCode_ == code) {
                    defaultRoomCode_.clear();
                }
                room->log.line("closed: not started within " +
                               std::to_string(settings_.lobbyLimit.count()) + " s");
                codes.push_back(code);
            }
        }
    }
    for (const std::string& code : codes) {
        std::unique_ptr<Room> ended;
        Room* room = nullptr;
        {
            std::lock_guard lock(mutex_);
            const auto it = rooms_.find(code);
            if (it == rooms_.end()) {
                continue;
            }
            if (it->second->ended) {
                ended = std::move(it->second);
                rooms_.erase(it);
            } else {
                room = it->second.get();
            }
        }
        if (ended != nullptr) {
            takeDown(std::move(ended));
        } else {
            // Only this thread takes rooms down, so the room stays while it is started.
            room->host->tryStart();
        }
    }
}

std::chrono::milliseconds RoomHost::untilNextExpiry(std::chrono::milliseconds longest) {
    const auto now = std::chrono::steady_clock::now();
    auto next = now + longest;
    std::lock_guard lock(mutex_);
    for (const auto& [code, room] : rooms_) {
        if (room->ended) {
            continue;
        }
        if (room->emptySince) {
            next = std::min(next, *room->emptySince + settings_.rejoinWait);
        } else if (!room->started) {
            next = std::min(next, room->openedAt + settings_.lobbyLimit);
        }
    }
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::ceil<std::chrono::milliseconds>(next - now));
}

RoomHost::Counts RoomHost::counts() {
    std::lock_guard lock(mutex_);
    return counts_;
}

std::string RoomHost::statusLine() {
    std::size_t lobbies = 0;
    std::size_t games = 0;
    std::int64_t clients = 0;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [code, room] : rooms_) {
            if (room->ended) {
                continue;
            }
            ++(room->started ? games : lobbies);
            if (const RoomDirectory::Room* listed = directory_.find(code)) {
                clients += listed->clients;
            }
        }
    }
    return "status rooms " + std::to_string(lobbies + games) + " lobbies " +
           std::to_string(lobbies) + " games " + std::to_string(games) + " clients " +
           std::to_string(clients) + " door " + std::to_string(gate_->waiting()) + " queued " +
           std::to_string(budget_->queued()) + " bytes memory " +
           std::to_string(residentKib()) + " KiB addresses " +
           std::to_string(limits_.tracked());
}

}  // namespace trundlex::tool
