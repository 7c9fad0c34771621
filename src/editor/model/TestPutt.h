#pragma once

#include "model/EditorLayout.h"

namespace trundlex {

// A putt of the editor's test mode, aimed with the mouse: a click at a pixel sends the ball
// from its centre toward that pixel, harder the farther the clicked cell lies from the ball.
struct TestPutt {
    double speed = 0.0;
    double heading = 0.0;  // radians from +x toward +y (clockwise on screen)
};

// The putt for a click at `p` with the ball at (ballX, ballY) in block units. The heading
// points from the ball's centre on screen to the pixel. The speed is 3 for every whole
// block between the ball and the top-left corner of the clicked cell (a pixel outside the
// level counting as the nearest edge cell): 3 * trunc(distance). So a click on the ball's own
// cell gives no speed when the ball lies less than a block from that cell's corner.
TestPutt testPuttFor(PixelPoint p, double ballX, double ballY, const EditorLayout& layout);

}  // namespace trundlex
