#pragma once
// The room host (trundlex-tool serve --rooms): many games at once in one process, each in a
// room that players create and join by code.
#include <chrono>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ServeHost.h"
#include "library/Course.h"
#include "library/DailyCourse.h"
#include "net/AddressLimits.h"
#include "net/HttpServer.h"
#include "net/LatencyHistogram.h"
#include "net/NetPool.h"
#include "net/SendBudget.h"
#include "net/RoomDirectory.h"
#include "net/RoomGate.h"

namespace trundlex::tool {

// One room: its own match, game and host, on the room host's shared threads.
struct Room;

// The rooms of a room host and its door. Every room is a game of its own, exactly as `serve`
// hosts one, and nothing of one reaches another. A room is created by a "W|course" request,
// joined by its code, started once its creator has asked ("Y") and every client is ready, and
// it ends with its last client. With a default course, clients of earlier versions play in a
// default room, which starts as `serve` starts its game (`startWhen` ready clients) and is
// opened again by the next such client once it has ended.
//
// Rooms are created on the door's thread and tell the main thread through `wake` when they
// may start or have ended; the main thread (serviceRooms) starts them and takes the ended ones
// down, so that no room is ever destroyed on one of the threads it runs on.
class RoomHost : public RoomGate::Host {
public:
    struct Settings {
        std::vector<Course> courses;
        // The course of "W|" and of the default room.
        std::size_t defaultCourse = 0;
        // The levels the course of the day is drawn from; with none it is not offered. It is
        // offered after `courses`, as DailyCourseName (or the file name "today"), and each room
        // created with it plays the draw of the UTC day of its creation.
        std::vector<DailyCourse::Candidate> dailyPool;
        // The time in seconds since 1970-01-01 UTC, whose day a new room of the course of the
        // day plays; the system clock when empty (tests set a day of their own).
        std::function<std::int64_t()> clock;
        // Whether clients of earlier versions are served (a default room).
        bool defaultRoom = false;
        int startWhen = 1;
        std::size_t maxRooms = roomproto::DefaultMaxRooms;
        // What one address may do (AddressLimits).
        AddressLimits::Settings perAddress;
        // A started game in which no client has sent anything for this long ends.
        std::chrono::seconds gameIdle{1800};
        // A room whose game has not started this long after its creation closes.
        std::chrono::seconds lobbyLimit{1800};
        // A started game whose last client has gone waits this long for one of its players to
        // come back (rejoin) before it ends; 0 ends it at once.
        std::chrono::seconds rejoinWait{300};
        // Bytes waiting to be sent to all clients together (SendBudget).
        std::size_t maxQueuedBytes = std::size_t{64} << 20;
        // Chat lines are logged with their words.
        bool logChat = false;
        // The web side (listenHttp): the folder of the web client (empty: only /healthz), and
        // how long a request's header may take (tests shorten it).
        std::filesystem::path webRoot;
        std::chrono::milliseconds httpHeaderTimeout{10000};
        // Origins whose pages may open the game's WebSocket (empty: the host's own).
        std::vector<std::string> allowedOrigins;
        // The web client's pages get the headers SharedArrayBuffer needs.
        bool crossOriginIsolated = false;
        // The door's limits (tests shorten them).
        NetTimeouts doorTimeouts;
        std::chrono::milliseconds doorLimit = RoomGate::DoorLimit;
    };

    // What the host has seen since it started, for its status and closing lines.
    struct Counts {
        std::uint64_t roomsCreated = 0;
        std::uint64_t gamesStarted = 0;
        std::uint64_t joins = 0;
        std::uint64_t refusedJoins = 0;
        std::uint64_t limitHits = 0;
        std::uint64_t lobbiesExpired = 0;
        std::uint64_t emptyGamesClosed = 0;
    };

    // The name the course of the day is offered under, the same whatever the day.
    static constexpr std::string_view DailyCourseName = "Today's course";

    RoomHost(Settings settings, const LevelLibrary& library, EventLog& log,
             std::function<void()> wake);
    // Ends every room and closes the door.
    ~RoomHost() override;

    // Opens the door; the port, or 0 when it cannot listen.
    std::uint16_t listen(std::uint16_t port);
    // Opens the web side on a port of its own, on `bindAddress` (empty: every local address);
    // the port, or 0 when it cannot listen.
    std::uint16_t listenHttp(std::uint16_t port, const std::string& bindAddress = {});
    // Main thread: starts the rooms that may start and takes down those that have ended;
    // closes the rooms whose lobby has been open longer than Settings::lobbyLimit, and the
    // games nobody came back to within Settings::rejoinWait.
    void serviceRooms();
    std::size_t roomCount();
    // How long until the next room's lobby or wait for returning players runs out (at most
    // `longest`): the main thread calls serviceRooms by then.
    std::chrono::milliseconds untilNextExpiry(std::chrono::milliseconds longest);
    // One line on the host's state: rooms, games in progress, clients, door visitors, bytes
    // waiting to be sent, resident memory.
    std::string statusLine();
    // What a Prometheus server reads at /metrics: rooms by phase, clients in rooms by
    // transport, door visitors, HTTP connections, queued bytes, memory, the relay time of the
    // rooms' putts, aims and chat lines (a histogram), refusals by reason, limit hits by kind
    // and the host's counts.
    std::string metricsText();
    // One line for the host's start (mode, port, courses, limits) and one for its end.
    std::string startLine(std::uint16_t port) const;
    std::string closingLine();
    Counts counts();

    std::string courseList() override;
    std::optional<std::string> enter(RoomArrival& arrival) override;
    void dropped(const std::string& peer, DropReason reason) override;
    std::shared_ptr<void> admit(const std::string& address) override;
    void refused(const std::string& peer, RoomGate::Refused why) override;
    std::optional<std::pair<std::string, std::string>> bridged(std::uint16_t port) override;

    // Called by a room's watcher on its delivery thread (without the room's lock).
    void roomChanged(Room& room);

private:
    std::optional<std::string> create(RoomArrival& arrival, std::size_t course);
    // The refusal, or nullopt when the room took the client.
    std::optional<std::string> join(RoomArrival& arrival, const std::string& code, bool classic);
    // A client back for its seat (a "W" code "|" token request), in the lobby or a running
    // game; a wrong token counts as a failed join.
    std::optional<std::string> rejoin(RoomArrival& arrival, const std::string& code,
                                      const std::string& token);
    // Locked out after guessing (AddressLimits): counted and logged. Refused before the code
    // is even looked at, so that a right guess tells nothing either.
    bool lockedOut(const RoomArrival& arrival, AddressLimits::Clock::time_point now);
    // A wrong code or token: counted towards the address's lockout, logged when it starts.
    void joinFailed(const RoomArrival& arrival, AddressLimits::Clock::time_point now);
    std::unique_ptr<Room> openRoom(const std::string& code, std::size_t course, bool classic);
    // The course a new room of `course` plays: the offered one, or for the course of the day
    // the draw of the current day. Under mutex_.
    Course roomCourse(std::size_t course);
    void attention(const std::string& code);
    // A limit was hit: logged, but at most a line a second for each kind, so that an attack
    // cannot flood the log (the lines skipped are counted in the next).
    void limitHit(const std::string& kind, const std::string& text);

    Settings settings_;
    std::vector<roomproto::OfferedCourse> offered_;
    // Where the course of the day stands among the courses (when offered), and its draws;
    // under mutex_.
    std::optional<std::size_t> dailyIndex_;
    std::unique_ptr<DailyCourse> daily_;
    // Read by every room's thread, changed by none.
    const LevelLibrary& library_;
    EventLog& log_;
    std::function<void()> wake_;

    AddressLimits limits_;
    std::shared_ptr<SendBudget> budget_;
    // Every room times its relays here (NetGame::setRelayLatency).
    std::shared_ptr<LatencyHistogram> relayLatency_;

    std::mutex mutex_;
    Counts counts_;
    // Limit hits by kind, for the metrics.
    std::map<std::string, std::uint64_t> limitHitsByKind_;
    // limitHit's memory: when each kind was last logged, and how many were not since.
    std::map<std::string, std::pair<std::chrono::steady_clock::time_point, std::uint64_t>>
        limitLog_;
    RoomCodes codes_;
    RoomDirectory directory_;
    std::map<std::string, std::unique_ptr<Room>> rooms_;
    std::string defaultRoomCode_;
    // The rooms the main thread looks at next. Its own lock, taken last: a room asks for
    // attention while it holds its game's lock.
    std::mutex attentionMutex_;
    std::deque<std::string> attention_;

    // Declared last: the threads stop before anything they work on goes, the door first.
    NetPool io_;
    NetPool delivery_;
    std::unique_ptr<RoomGate> gate_;
    std::unique_ptr<HttpServer> http_;
    // The door's port, where the web side carries WebSockets.
    std::uint16_t doorPort_ = 0;
    // The browser behind each WebSocket's game connection, by its local port (bridged).
    std::mutex bridgeMutex_;
    std::map<std::uint16_t, std::pair<std::string, std::string>> bridges_;
};

}  // namespace trundlex::tool
