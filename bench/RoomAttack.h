#pragma once
// One computer on the internet that tries every attack on a room host it knows, while real
// rooms play (room_load_bench). Each attack leaves from a loopback address of its own
// (127.0.0.x stands for a computer), so that each limit is met on its own:
// - 127.0.0.2 opens 200 connections and keeps them;
// - 127.0.0.7 creates rooms as fast as it can and keeps them;
// - 127.0.0.8 guesses codes as fast as it can;
// - 127.0.0.3 creates a room that 15 clients from 127.0.0.4 join (14 never read once the game
//   has started, one counts what reaches it) and sends 64 MiB of aims in its turn;
// - meanwhile 127.0.0.5 creates a room and 127.0.0.6 joins it: the time that takes.
// Everything runs on one thread of its own, so the rooms' measurements are not held up.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

#include "RoomLoadSupport.h"

namespace trundlex::bench {

class RoomAttack {
public:
    struct Report {
        // Of the 200 connections: kept at the door, and turned away at once.
        double floodKept = 0;
        double floodRefused = 0;
        double roomsCreated = 0;
        double roomsRefused = 0;
        // Guesses the host looked up ("No room with code ...") and those refused unseen.
        double codeChecks = 0;
        double guessesLockedOut = 0;
        double aimBytes = 0;
        double aimsRelayed = 0;
        double otherCreateJoinMs = -1;
    };

    explicit RoomAttack(std::uint16_t port);
    ~RoomAttack();
    void start();
    // Bytes of aims sent so far (any thread).
    std::size_t aimBytesSent() const;
    // Ends every attack; what was seen.
    Report stop();

    struct State;

private:
    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace trundlex::bench
