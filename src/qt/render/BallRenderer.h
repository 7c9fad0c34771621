#pragma once

#include <QColor>
#include <cstdint>

class QPainter;

namespace trundlex {

class Ball;
class BallLook;

// Colours of the core are 0x00BBGGRR (red in the low byte).
QColor fromRgbValue(std::uint32_t rgb);
std::uint32_t toRgbValue(const QColor& colour);

// Draws the ball at its position as its look says: a black shadow one pixel down and
// right, the body, and the near-side dots of its pattern (also the far-side dots, lighter, for
// a transparent ball). A dimmed ball is 90 darker in every channel. A ball that has sunk draws
// nothing; a sinking one draws its shrinking body without dots. Applies and clears the roll the
// ball has made since it was last drawn. The owner's thread only.
void drawBall(QPainter& painter, Ball& ball, BallLook& look, bool dimmed);

}  // namespace trundlex
