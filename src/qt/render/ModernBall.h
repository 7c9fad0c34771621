#pragma once

class QPainter;

namespace trundlex {

class Ball;
class BallLook;

// Pixels the modern ball's soft shadow reaches beyond the classic ball's rectangle, for a
// window of `pixelsPerBlock`; BallLook::setMargin takes it, so moving balls leave no trail.
int modernBallMargin(int pixelsPerBlock);

// Draws the ball in the modern look, anti-aliased: a soft shadow to the lower right, a body
// lit from the upper left with a highlight, and its pattern's dots as they have rolled. A
// waiting ball (not the one whose turn it is) is see-through with a light outline, so it is
// never mistaken for a peg or a patch of the level, and never darker than its colour. Sunk
// and sinking balls as in the classic look. Applies and clears the ball's roll.
void drawModernBall(QPainter& painter, Ball& ball, BallLook& look, bool waiting);

}  // namespace trundlex
