#include "model/TestPutt.h"

#include <cmath>

namespace trundlex {

TestPutt testPuttFor(PixelPoint p, double ballX, double ballY, const EditorLayout& layout) {
    const double size = layout.cellSize();
    TestPutt putt;
    putt.heading = std::atan2(p.y - (ballY * size + layout.originY()),
                              p.x - (ballX * size + layout.originX()));
    const Cell cell = layout.clampedCell(p);
    const double dx = cell.x - ballX;
    const double dy = cell.y - ballY;
    putt.speed = 3.0 * std::trunc(std::sqrt(dx * dx + dy * dy));
    return putt;
}

}  // namespace trundlex
