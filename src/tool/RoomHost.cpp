#include "RoomHost.h"
#include "RoomHostRoom.h"

#include <fstream>

#include "net/NetGame.h"
#include "play/Match.h"

namespace trundlex::tool {

long residentKib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

namespace {

// Ends a room's game and waits for its work; on the main thread, without the host's lock.
// A room ends when its client count is seen at zero, which can be while the events of its
// last departures still wait: they are told first (the "over" line among them).
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
      relayLatency_(std::make_shared<LatencyHistogram>()),
      directory_(settings_.maxRooms, codes_),
      io_(2),
      delivery_(2) {
    for (const Course& course : settings_.courses) {
        const std::string& path = course.path();
        offered_.push_back({course.name(), path.substr(path.find_last_of('/') + 1)});
    }
    if (!settings_.dailyPool.empty()) {
        daily_ = std::make_unique<DailyCourse>(std::move(settings_.dailyPool));
        dailyIndex_ = settings_.courses.size();
        // Stands for the day's draw in the list; its levels are drawn as each room opens.
        Course listed;
        listed.setName(DailyCourseName);
        settings_.courses.push_back(std::move(listed));
        offered_.push_back({std::string(DailyCourseName), "today.cou"});
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
    // Last: the WebSockets carry the rooms' last words to the browsers before they close.
    http_.reset();
}

std::uint16_t RoomHost::listen(std::uint16_t port) {
    doorPort_ = gate_->listen(port);
    return doorPort_;
}

std::optional<std::pair<std::string, std::string>> RoomHost::bridged(std::uint16_t port) {
    std::lock_guard lock(bridgeMutex_);
    const auto it = bridges_.find(port);
    if (it == bridges_.end()) {
        return std::nullopt;
    }
    auto browser = std::move(it->second);
    bridges_.erase(it);
    return browser;
}

std::uint16_t RoomHost::listenHttp(std::uint16_t port, const std::string& bindAddress) {
    HttpServer::Settings web;
    web.webRoot = settings_.webRoot;
    web.headerTimeout = settings_.httpHeaderTimeout;
    web.metrics = [this] { return metricsText(); };
    web.gamePort = doorPort_;
    web.allowedOrigins = settings_.allowedOrigins;
    web.crossOriginIsolated = settings_.crossOriginIsolated;
    web.bridgeOpening = [this](std::uint16_t local, const std::string& address,
                               const std::string& peer) {
        std::lock_guard lock(bridgeMutex_);
        bridges_[local] = {address, peer};
    };
    web.bridgeClosed = [this](std::uint16_t local) {
        std::lock_guard lock(bridgeMutex_);
        bridges_.erase(local);
    };
    http_ = std::make_unique<HttpServer>(
        io_, web, [this](const std::string& address) { return limits_.admitConnection(address); },
        [this](const std::string& text) { limitHit("http", text); });
    return http_->listen(port, bindAddress);
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
        ++limitHitsByKind_[kind];
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

std::unique_ptr<Room> RoomHost::openRoom(const std::string& code, std::size_t course,
                                         bool classic) {
    auto room = std::make_unique<Room>(*this, code, classic, log_);
    const Course played = roomCourse(course);
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
    room->net->setRelayLatency(relayLatency_);
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

Course RoomHost::roomCourse(std::size_t course) {
    if (course != dailyIndex_ || !daily_) {
        return settings_.courses[course];
    }
    const std::int64_t now =
        settings_.clock ? settings_.clock()
                        : std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    // The pool is not empty, so neither is the draw.
    Course today = daily_->course(DailyCourse::dayOf(now)).value_or(Course());
    today.setName(DailyCourseName);
    today.setId(DailyCourse::courseId(DailyCourse::dayOf(now)));
    return today;
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
