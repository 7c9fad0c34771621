#pragma once

#include <QImage>
#include <array>
#include <cstdint>

#include "ball/BallPattern.h"
#include "ball/BallPhysics.h"
#include "ball/BallTypes.h"
#include "util/PixelMath.h"

namespace trundlex {

class Ball;

// How one ball is drawn: its style, the dots of its pattern as they have rolled, and where
// the level lies in pixels (pixels per block, and the pixel of the level's corner). A window
// keeps one per ball it shows; the ball itself knows nothing of pixels.
class BallLook {
public:
    BallLook() : BallLook(BallStyle{}) {}
    explicit BallLook(const BallStyle& style) : style_(style) { dots_.build(style_.pattern, kRadius); }

    const BallStyle& style() const { return style_; }
    // A new pattern lays the dots out again.
    void setStyle(const BallStyle& style) {
        if (style.pattern != style_.pattern) {
            dots_.build(style.pattern, kRadius);
        }
        style_ = style;
    }
    void setGeometry(int offsetX, int offsetY, int pixelsPerBlock) {
        offsetX_ = offsetX;
        offsetY_ = offsetY;
        scale_ = pixelsPerBlock;
    }
    // Pixels the drawing may reach beyond the ball's rectangle on every side (a soft shadow).
    void setMargin(int pixels) { margin_ = pixels; }
    int scale() const { return scale_; }
    int offsetX() const { return offsetX_; }
    int offsetY() const { return offsetY_; }
    // The pattern's dots; drawing turns them by the roll the ball has made.
    BallPattern& dots() { return dots_; }

    // Pictures a look may keep of the ball between drawings, and a key of what they show.
    std::array<QImage, 2>& sprites() { return sprites_; }
    std::uint64_t spriteKey() const { return spriteKey_; }
    void setSpriteKey(std::uint64_t key) { spriteKey_ = key; }

    // Pixels covering the ball and its shadow at its present position and radius.
    PixelRect boundingRect(const Ball& ball) const;

private:
    // Dots lie on a ball of full size: a sinking ball, the only smaller one, shows none.
    static constexpr double kRadius = BallDefaultRadius;

    BallStyle style_;
    BallPattern dots_;
    int scale_ = 20;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int margin_ = 0;
    std::array<QImage, 2> sprites_;
    std::uint64_t spriteKey_ = 0;
};

}  // namespace trundlex
