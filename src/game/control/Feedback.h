#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ball/BallPhysics.h"

namespace trundlex {

// What a short on-field banner announces after a putt.
enum class BannerKind : std::int32_t {
    HoleInOne = 0,
    UnderPar = 1,  // four or more under par: `count` strokes under
    Albatross = 2,
    Eagle = 3,
    Birdie = 4,
    Par = 5,
    Bogey = 6,
    DoubleBogey = 7,
    OverPar = 8,   // three or more over par: `count` strokes over
    HoledOut = 9,  // the hole's par is not known yet: `count` strokes
    Water = 10,
    OutOfBounds = 11,
    StrokeLimit = 12,  // `count`: the score the limit gives
};

struct Banner {
    BannerKind kind = BannerKind::HoledOut;
    std::int32_t count = 0;
    // The sound that goes with it, relative to the program folder; empty: none of its own
    // (water and the edge already sound from the ball).
    std::string_view sound;

    friend bool operator==(const Banner&, const Banner&) = default;
};

// The banner for holing out with `strokes` on a hole whose par is `par` (0 or less: the par
// is not known yet, and the banner only counts the strokes). A first-stroke hole out is
// always a hole in one, whatever the par.
Banner holeOutBanner(int strokes, int par);

// The banner for a putt that lost the ball, into water or over the level's edge, as the roll
// itself found it. `loss` must not be None.
Banner lostBallBanner(BallLoss loss);

// The banner for a player who has used up the strokes of a hole without holing out.
Banner strokeLimitBanner();

// Who has the turn and whether this computer may play it.
enum class TurnKind : std::int32_t {
    Here = 0,      // a person at this computer
    Computer = 1,  // a player this computer plays by itself
    Remote = 2,    // a player at another computer of a network game
    Nobody = 3,    // no game, or the match is over
};

struct TurnInfo {
    TurnKind kind = TurnKind::Nobody;
    std::string name;
    // Remote: the other computer's address; empty when this computer does not know it (a
    // client sees every other player through its server).
    std::string address;

    // The mouse may aim and putt the current ball here.
    bool playableHere() const { return kind == TurnKind::Here; }
};

}  // namespace trundlex
