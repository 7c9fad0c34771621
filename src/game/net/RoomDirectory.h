#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "net/RoomCodes.h"
#include "net/RoomProtocol.h"

namespace trundlex {

// The rooms of a room host and who may enter them: at most maxRooms rooms, at most
// netproto::MaxClients clients in each, nobody into a game that has started. A room ends
// with its last client and its code rests (RoomCodes). Not synchronised: the host calls it
// from one thread, or under its lock.
class RoomDirectory {
public:
    using Clock = RoomCodes::Clock;

    struct Room {
        std::string code;
        // The index of its course among the host's courses.
        std::size_t course = 0;
        std::int32_t clients = 0;
        bool started = false;
    };

    // What became of a request: the room entered, or why not.
    struct Outcome {
        std::optional<roomproto::Refusal> refusal;
        std::string code;
        bool entered() const { return !refusal.has_value(); }
    };

    RoomDirectory(std::size_t maxRooms, RoomCodes& codes) : maxRooms_(maxRooms), codes_(codes) {}

    // Opens a room for `course` with its creator as the first client.
    Outcome create(std::size_t course, Clock::time_point now);
    // Lets one more client into the room of `code`.
    Outcome join(const std::string& code);
    // One client of the room has left; the room ends with its last one.
    void leave(const std::string& code, Clock::time_point now);
    // The room has `clients` clients now (a host that counts them itself); it ends at none.
    void setClients(const std::string& code, std::int32_t clients, Clock::time_point now);
    // The room's game has started: nobody may join any more.
    void markStarted(const std::string& code);

    const Room* find(const std::string& code) const;
    std::size_t size() const { return rooms_.size(); }
    std::size_t maxRooms() const { return maxRooms_; }

private:
    std::size_t maxRooms_;
    RoomCodes& codes_;
    std::map<std::string, Room> rooms_;
};

}  // namespace trundlex
