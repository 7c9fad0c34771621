#pragma once

class QPainter;
class QRectF;

namespace trundlex {

// The force meter's bar: a dark rounded track filled from its bottom along a green-yellow-red
// ramp, with quarter marks. `share` is the force as a part of the strongest putt; values
// outside 0 ... 1 are taken at the nearest end. Leaves the painter's pen and brush changed.
void drawForceMeterBar(QPainter& painter, const QRectF& track, double share);

}  // namespace trundlex
