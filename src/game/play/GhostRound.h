#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "play/PuttRecord.h"

namespace trundlex {

class Level;
class Match;

// The putts of one player's round on a course, hole by hole, kept so that a faint "ghost"
// ball can putt them again beside a later round on the same course. The putts are the ones
// the match recorded for its replays, so the ghost rolls exactly as the ball did.
struct GhostRound {
    std::string courseId;
    std::string player;
    // The round's strokes over the whole course; fewer is better.
    std::int32_t score = 0;
    // When the round was played, in seconds since 1970-01-01 00:00 UTC.
    std::int64_t time = 0;
    // By hole: the level it was played on, and its putts in stroke order.
    std::vector<std::string> levelIds;
    std::vector<std::vector<PuttRecord>> holes;

    // The round of `match`'s player at `index` on the course the match is named after. Empty
    // (no holes) for a player that does not exist.
    static GhostRound of(const Match& match, int index, std::int64_t time);

    // Whether the round was played on the very levels of `match`, in its order, so that its
    // putts belong to the holes they will be shown on.
    bool fits(const Match& match) const;
    // The putts of hole `hole`; none for a hole the round does not have.
    const std::vector<PuttRecord>& puttsOn(int hole) const;

    // Whether every value could have come from a real round: at least one hole, as many
    // level IDs as holes, finite putts of a speed a putt can have, strokes counting up from 1.
    // A round read from a file is checked with this before it is used.
    bool plausible() const;

    friend bool operator==(const GhostRound&, const GhostRound&) = default;
};

// Where a ghost ball is at one tick of its roll.
struct GhostFrame {
    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
};

// One putt of a ghost as it rolls, tick by tick at normal speed, from where it was putted to
// where it rests (or sinks).
struct GhostShot {
    // Where the ghost lies before it putts.
    GhostFrame start;
    // After each tick of the roll; the last frame is where the ball rests or, holed, the
    // last frame before it is gone.
    std::vector<GhostFrame> frames;
    bool holed = false;
};

// The ghost's putts on `level` (the hole's level), each rolled by the same simulation as the
// game's ball, in ticks of the normal speed mode. A putt starts where its record says, so a
// ball put back after water starts from there again. A putt is not rolled further than
// MaxGhostTicks ticks.
std::vector<GhostShot> ghostShots(const Level& level, const std::vector<PuttRecord>& putts);

inline constexpr int MaxGhostTicks = 60000;

}  // namespace trundlex
