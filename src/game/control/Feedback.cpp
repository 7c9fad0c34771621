#include "Feedback.h"

#include "play/Player.h"

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

Banner lostBallBanner(BallLoss loss) {
    return {loss == BallLoss::OutOfBounds ? BannerKind::OutOfBounds : BannerKind::Water, 0, {}};
}

Banner strokeLimitBanner() { return {BannerKind::StrokeLimit, Player::LimitScore, kLimitSound}; }

}  // namespace trundlex
