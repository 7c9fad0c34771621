#include "BallLook.h"

#include "ball/Ball.h"

namespace trundlex {

PixelRect BallLook::boundingRect(const Ball& ball) const {
    const double x = ball.GetX();
    const double y = ball.GetY();
    const double r = ball.GetRadius();
    const PixelRect tight{pixelTrunc((x - r) * scale_ + offsetX_), pixelTrunc((y - r) * scale_ + offsetY_),
                          pixelTrunc((x + r) * scale_ + offsetX_ + 2),
                          pixelTrunc((y + r) * scale_ + offsetY_ + 2)};
    if (margin_ == 0) {
        return tight;
    }
    // Far away the corners are saturated: widening must not overflow.
    auto widen = [](int v, long long by) {
        return pixelTrunc(static_cast<double>(static_cast<long long>(v) + by));
    };
    return {widen(tight.left, -margin_), widen(tight.top, -margin_), widen(tight.right, margin_),
            widen(tight.bottom, margin_)};
}

}  // namespace trundlex
