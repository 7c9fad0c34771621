#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trundlex {

// The seats of a room's game on its server: which connection holds each seat token, the
// players a seat had when its connection broke (kept for its return), and every putt of the
// game so far, which a client back in its seat replays to reach the others. Not
// synchronised (NetGame's lock guards it).
class SeatBook {
public:
    // The putts kept for one game at most; a game that somehow runs longer cannot be rejoined
    // (its catch-up would not fit one message), but goes on.
    static constexpr std::size_t MaxPutts = 20000;
    // Seats kept at most; past it the oldest empty one goes. A game has at most
    // netproto::MaxClients clients at once; the rest are clients that left its lobby.
    static constexpr std::size_t MaxSeats = 64;

    struct Seat {
        std::string token;
        // The connection in the seat; 0 while it is empty.
        std::int32_t connection = 0;
        // An empty seat: the players it had, in match order.
        std::vector<std::string> names;
    };

    // A new seat for `connection`. An empty token gives none (a client of an earlier version,
    // a game without a room host).
    void assign(std::string token, std::int32_t connection);
    // The seat with `token`, or null. Tokens are compared in time that does not depend on
    // how much of them matches.
    Seat* findToken(std::string_view token);
    // The seat `connection` holds, or null.
    Seat* findConnection(std::int32_t connection);
    // The connection left with these players (none in a lobby, where its players go with
    // it): its seat waits for it.
    void vacate(std::int32_t connection, std::vector<std::string> names);
    // The connection's seat goes (a client taken out of the lobby).
    void forget(std::int32_t connection);
    std::size_t seatCount() const;
    // Some seat is empty and kept players for its client.
    bool hasEmptySeatWithPlayers() const;
    void clear();

    // A putt of the game (its body on the wire), in the order every computer rolls them.
    void recordPutt(std::string_view body);
    // A new game (a start or restart): no putts yet.
    void clearPutts();
    const std::vector<std::string>& putts() const { return putts_; }
    // The putts of this game are all kept (a catch-up can be given).
    bool complete() const { return !overflowed_; }

private:
    std::vector<Seat> seats_;
    std::vector<std::string> putts_;
    bool overflowed_ = false;
};

}  // namespace trundlex
