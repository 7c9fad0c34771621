#pragma once

#include <cstdint>

namespace trundlex {

class Level;
class LevelLibrary;
class Match;
class Player;

// Where a match's turn flow stands.
enum class FlowPhase : std::int32_t {
    Idle = 0,       // not started (or just restarted)
    HoleReady = 1,  // a hole is set up, nobody has the turn yet (a network game waits to start)
    Turn = 2,       // a player may putt
    Rolling = 3,    // the putt is recorded and its ball rolls
    Stopped = 4,    // the ball rests; the next turn follows with advance()
    Over = 5,       // every hole has been played
    Broken = 6,     // a hole's level is not in the library: the match cannot go on
};

// What a step of the flow led to.
enum class FlowOutcome : std::int32_t {
    Turn = 0,          // `player` has the turn
    HoleReady = 1,     // a hole is set up without a turn
    Over = 2,          // the match is over: announce Match::WinnersText
    MissingLevel = 3,  // the level of the hole reached is not in the library
    Refused = 4,       // the call does not fit the phase; nothing changed
};

struct FlowStep {
    FlowOutcome outcome = FlowOutcome::Refused;
    // Turn: the player who putts next.
    Player* player = nullptr;
    // A new hole began on the way: its level is loaded and every ball is on its start.
    bool holeStarted = false;
};

// The turn and hole flow of a match, the same for the game view and for a program without
// windows (a dedicated network host, tests): start a hole, hand out the turn, record the
// putt, take the stop (a ball in the cup takes its player off the hole), then the next turn,
// the next hole or the end of the match.
//
//   restart(true)            -> Turn (local game)      restart(false) -> HoleReady (network,
//   startPutt(speed, heading)   then the ball rolls                      then advance() on
//   ballStopped(inCup)       -> Stopped                                  NetStart)
//   advance()                -> Turn, or Over          (network: on NetAllStopped)
//
// Calls that do not fit the phase are refused and change nothing, so a late or doubled
// event (a second putt while a ball rolls, a second start) can never skip a turn or count a
// stroke twice.
//
// Threads: not synchronised, like the match it drives; in a network game take NetGame's lock
// around every call.
class MatchFlow {
public:
    // Drives `match`; hole levels are looked up in `library` and loaded into `level`, which
    // every ball then rolls on. All three are not owned and must outlive the flow (and the
    // level every putt on it).
    MatchFlow(Match& match, const LevelLibrary& library, Level& level);

    // Starts the match again from its first hole (Match::Restart). With `handOutTurn` the
    // first player gets the turn (Turn); without, the hole is only set up (HoleReady). Over
    // at once for a match without levels or without players; MissingLevel when the first
    // hole's level is not in the library.
    FlowStep restart(bool handOutTurn);
    // Hands out the next turn: the next player on the hole, or the first of the next hole
    // (holeStarted), or Over after the last hole. Accepted when Idle (starts the first
    // hole), HoleReady or Stopped; refused otherwise.
    FlowStep advance();
    // The player who has the turn gets it again (after players changed hands, for instance):
    // Turn with the same player while the phase is Turn; refused otherwise.
    FlowStep resume();

    // Forgets the turn without touching the match: Idle, nobody has it, every call but
    // restart() and advance() refused. For when the match's players are about to be replaced
    // (a new game is set up) and the player who had the turn may go with them.
    void reset();

    // The player who has the turn putts: records the putt (before the ball moves) and goes to
    // Rolling. False (nothing recorded) outside the Turn phase.
    bool startPutt(double speed, double heading);
    // The rolling ball has come to rest; one in the cup takes its player off the hole. False
    // (nothing changes) unless a putt is rolling.
    bool ballStopped(bool inCup);

    FlowPhase phase() const { return phase_; }
    // The player who has the turn or whose ball rolls; null when nobody has it.
    Player* currentPlayer() const { return current_; }

private:
    // Goes on to the next hole and sets it up. False when there is none (Over) or its level
    // is missing (Broken); `step` tells which.
    bool enterNextHole(FlowStep& step);
    // Hands out the turn, going on through finished holes.
    FlowStep handOut(FlowStep step);

    Match& match_;
    const LevelLibrary& library_;
    Level& level_;
    FlowPhase phase_ = FlowPhase::Idle;
    Player* current_ = nullptr;
};

}  // namespace trundlex
