#pragma once

#include <cstdint>

namespace trundlex {

// One putt of a match, kept so that it can be shown again: a replay puts a ball on the
// recorded hole at (x, y) and putts it with the same speed and heading, and the simulation
// rolls it along the same path.
struct PuttRecord {
    double speed = 0.0;
    // Radians from +x towards +y.
    double heading = 0.0;
    // Index of the hole in the match's level list.
    std::int32_t hole = 0;
    // The player's stroke count on that hole including this putt: 1 for the first putt.
    std::int32_t stroke = 0;
    // Where the ball lay when it was putted, in block units.
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const PuttRecord&, const PuttRecord&) = default;
};

}  // namespace trundlex
