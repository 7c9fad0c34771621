#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "level/Level.h"

namespace trundlex {

// One putt of the way the solver found, as the ball rolls it: the points it passes, in block
// units, from where it is played to where it rests or drops.
struct PuttPath {
    struct Point {
        double x = 0.0;
        double y = 0.0;
    };
    std::vector<Point> points;
    bool holed = false;
};

// The solver's putts from the level's start into the cup, for a designer to see how the par
// can be played. Empty when it finds no way within `maxStrokes`; nothing when *stop was set
// meanwhile. Played with the game's own ball simulation, so each path is where the ball goes.
std::optional<std::vector<PuttPath>> findParPutts(const Level& level, int maxStrokes,
                                                  int threads = 0,
                                                  const std::atomic<bool>* stop = nullptr);

}  // namespace trundlex
