#include "Feedback.h"

#include <cmath>

#include "ball/PuttSimulator.h"
#include "level/Level.h"
#include "play/Player.h"
#include "play/PuttRecord.h"

namespace trundlex {

namespace {

constexpr std::string_view kGoodSound = "sounds/Cheer.wav";
constexpr std::string_view kParSound = "sounds/Chime.wav";
constexpr std::string_view kOverSound = "sounds/Bogey.wav";
constexpr std::string_view kLimitSound = "sounds/Limit.wav";

}  // namespace

Banner holeOutBanner(int strokes, int par) {
    if (strokes == 1) {
        return {BannerKind::HoleInOne, 1, kGoodSound};
    }
    if (par <= 0) {
        return {BannerKind::HoledOut, strokes, kParSound};
    }
    const int diff = strokes - par;
    switch (diff) {
        case -3:
            return {BannerKind::Albatross, 3, kGoodSound};
        case -2:
            return {BannerKind::Eagle, 2, kGoodSound};
        case -1:
            return {BannerKind::Birdie, 1, kGoodSound};
        case 0:
            return {BannerKind::Par, 0, kParSound};
        case 1:
            return {BannerKind::Bogey, 1, kOverSound};
        case 2:
            return {BannerKind::DoubleBogey, 2, kOverSound};
        default:
            break;
    }
    return diff < 0 ? Banner{BannerKind::UnderPar, -diff, kGoodSound}
                    : Banner{BannerKind::OverPar, diff, kOverSound};
}

Banner wastedPuttBanner(const Level& level, const PuttRecord& putt) {
    // The ball is back where it began and the roll does not say why: follow it again, one
    // sub-step at a time, and look at where the last step before it vanished was heading.
    double lastX = putt.x;
    double lastY = putt.y;
    double lastSpeed = putt.speed;
    double lastHeading = putt.heading;
    const PuttSimulator simulator(level, PuttSimulator::Probing::WhereNeeded);
    const PuttOutcome outcome =
        simulator.putt(putt.x, putt.y, putt.speed, putt.heading, 0, 1, [&](const BallMotion& m) {
            lastX = m.x;
            lastY = m.y;
            lastSpeed = m.speed;
            lastHeading = m.heading;
            return true;
        });
    if (!outcome.wasted) {
        return {BannerKind::Water, 0, {}};
    }
    const double step = lastSpeed / SubStepsPerTimeUnit;
    const double x = lastX + step * std::cos(lastHeading);
    const double y = lastY + step * std::sin(lastHeading);
    return {level.containsPoint(x, y) ? BannerKind::Water : BannerKind::OutOfBounds, 0, {}};
}

Banner strokeLimitBanner() { return {BannerKind::StrokeLimit, Player::LimitScore, kLimitSound}; }

}  // namespace trundlex
