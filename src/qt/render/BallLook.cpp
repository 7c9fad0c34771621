#include "BallLook.h"

#include "ball/Ball.h"

namespace trundlex {

PixelRect BallLook::boundingRect(const Ball& ball) const {
    const double x = ball.GetX();
    const double y = ball.GetY();
    const double r = ball.GetRadius();
    return {pixelTrunc((x - r) * scale_ + offsetX_), pixelTrunc((y - r) * scale_ + offsetY_),
            pixelTrunc((x + r) * scale_ + offsetX_ + 2), pixelTrunc((y + r) * scale_ + offsetY_ + 2)};
}

}  // namespace trundlex
