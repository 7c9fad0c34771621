#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "PlayedMatch.h"
#include "play/ComputerPlayer.h"

namespace trundlex::web {

// A game on one computer run through the game controller, as a page runs it: the levels come
// as the bytes of .lev files, the game runs step by step on its own loop and clock
// (MatchLoop) and tells what happens as event lines. The same seed, setup and input give the
// same events and the same result on every build, natively and in WebAssembly. It runs as
// fast as it can (advance: tests, a match of computers), or in step with the page's clock
// (runUntil: a game people watch and play).
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
//   level                    a new level is played (levelJson)
//   board                    the score board changed (boardJson)
//   state N                  the view's state (ViewState's value)
//   ball X Y R COLOUR PATTERN TRANSPARENT, or ball none   the ball shown and played
//   aim HEADING LINES        the aim; LINES 1 with the direction lines
//   force F SHOWN            the force meter
//   path MS X Y R ...        the ball rolls through these positions, one every MS ms from now;
//                            "rest" follows once it has rolled them
//   sound AT FILE            a sound to play AT ms from now (within a roll: from its start)
//   par HOLE PAR             a hole's (from 0) par became known
// Lines may be added in later versions; a reader skips the kinds it does not know.
class LocalMatch : public PlayedMatch {
public:
    // `seed` seeds the game's one random sequence (colours, each computer putt's error).
    explicit LocalMatch(std::uint32_t seed);

    // Adds a hole played on the level in `levFile`, the bytes of a .lev file. False (nothing
    // added) for bytes that hold no level, or once the match has started.
    bool addLevel(std::string_view levFile);
    // Adds a computer player. False (nothing added) for an empty name, Person as strength,
    // more than MaxPlayers players or once the match has started.
    bool addComputer(std::string_view name, ComputerStrength strength);
    static constexpr int MaxPlayers = 8;
    // Adds a person who plays at this screen, with the input below. False as addComputer.
    bool addPerson(std::string_view name);
    // The shipped levels' pars (the text of levels/pars.txt); before the start. False (no
    // pars taken) for a table that does not read. Without it no hole shows a par.
    bool setPars(std::string_view table);

    // Starts the match; false without players or holes, or when started already.
    bool start();
    // Runs at most `steps` steps of the game (a posted result, a timer, a roll); false once it
    // cannot go on (over, or not started).
    bool advance(int steps);
};

}  // namespace trundlex::web
