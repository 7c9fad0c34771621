#pragma once
// The room host (trundlex-tool serve --rooms): many games at once in one process, each in a
// room that players create and join by code.
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ServeHost.h"
#include "library/Course.h"
#include "net/NetPool.h"
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
        // Whether clients of earlier versions are served (a default room).
        bool defaultRoom = false;
        int startWhen = 1;
        std::size_t maxRooms = roomproto::DefaultMaxRooms;
    };

    RoomHost(Settings settings, const LevelLibrary& library, EventLog& log,
             std::function<void()> wake);
    // Ends every room and closes the door.
    ~RoomHost() override;

    // Opens the door; the port, or 0 when it cannot listen.
    std::uint16_t listen(std::uint16_t port);
    // Main thread: starts the rooms that may start and takes down those that have ended.
    void serviceRooms();
    std::size_t roomCount();

    std::string courseList() override;
    std::optional<std::string> enter(RoomArrival& arrival) override;
    void dropped(const std::string& address, DropReason reason) override;

    // Called by a room's watcher on its delivery thread (without the room's lock).
    void roomChanged(Room& room);

private:
    std::optional<std::string> create(RoomArrival& arrival, std::size_t course);
    // The refusal, or nullopt when the room took the client.
    std::optional<std::string> join(RoomArrival& arrival, const std::string& code, bool classic);
    std::unique_ptr<Room> openRoom(const std::string& code, std::size_t course, bool classic);
    void attention(const std::string& code);

    Settings settings_;
    std::vector<roomproto::OfferedCourse> offered_;
    // Read by every room's thread, changed by none.
    const LevelLibrary& library_;
    EventLog& log_;
    std::function<void()> wake_;

    std::mutex mutex_;
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
};

}  // namespace trundlex::tool
