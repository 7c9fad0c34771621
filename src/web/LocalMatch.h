#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "play/ComputerPlayer.h"

namespace trundlex::web {

// A game on one computer run through the game controller, as a page runs it: the levels come
// as the bytes of .lev files, the game runs step by step on its own loop and clock
// (MatchLoop) and tells what happens as event lines. The same seed and setup give the same
// events and the same result on every build, natively and in WebAssembly.
//
// Event lines, one per thing the view of the desktop game is told (numbers as printf's %.17g):
//   hole N COUNT NAME        hole N (from 1) of COUNT begins, on the level named NAME
//   turn KIND NAME           KIND: here, computer, remote or nobody
//   thinking NAME            a computer player works out its putt
//   putt NAME HEADING SPEED  the putt of the player who has the turn
//   rest X Y CUP             the ball came to rest there; CUP is 1 when it dropped
//   banner KIND COUNT        a banner (BannerKind's value) for what the putt led to
//   scores S1 S2 ...         each player's strokes so far, in the players' order
//   over WINNERS             the match ended; WINNERS as the desktop game names them
//   replay HOLE STROKE NAME  a recorded putt is shown again (the winner's, after the end)
// Lines may be added in later versions; a reader skips the kinds it does not know.
class LocalMatch {
public:
    // `seed` seeds the game's one random sequence (colours, each computer putt's error).
    explicit LocalMatch(std::uint32_t seed);
    ~LocalMatch();
    LocalMatch(const LocalMatch&) = delete;
    LocalMatch& operator=(const LocalMatch&) = delete;

    // Adds a hole played on the level in `levFile`, the bytes of a .lev file. False (nothing
    // added) for bytes that hold no level, or once the match has started.
    bool addLevel(std::string_view levFile);
    // Adds a computer player. False (nothing added) for an empty name, Person as strength,
    // more than MaxPlayers players or once the match has started.
    bool addComputer(std::string_view name, ComputerStrength strength);
    static constexpr int MaxPlayers = 8;

    // Starts the match; false without players or holes, or when started already.
    bool start();
    // Runs at most `steps` steps of the game (a posted result, a timer, a roll); false once it
    // cannot go on (over, or not started).
    bool advance(int steps);
    bool isOver() const;

    // The event lines since the last call.
    std::vector<std::string> takeEvents();
    // One line per hole ("hole 1 First Putt: Ann 2, Bob 3"), then the totals and the
    // winners; what is known so far while the match runs.
    std::string result() const;
    // The game's own time in milliseconds: how long the match would have taken to watch.
    std::int64_t time() const;

private:
    struct Game;
    std::unique_ptr<Game> game_;
};

}  // namespace trundlex::web
