#include "MaterialStyle.h"

#include <QImage>
#include <algorithm>

namespace trundlex {

QColor kindColour(int kind) {
    switch (kind) {
        case Wall:
            return QColor(97, 1, 18);
        case Ice:
            return QColor(137, 154, 148);
        case Cup:
            return QColor(0, 0, 0);
        case Sand:
            return QColor(184, 119, 22);
        case Water:
            return QColor(0, 0, 198);
        default:
            return QColor(20, 128, 20);
    }
}

QColor shadeColour(const QColor& colour, int dr, int dg, int db) {
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(clamp(colour.red() + dr), clamp(colour.green() + dg), clamp(colour.blue() + db));
}

int slopeShade(int slope) {
    static constexpr int kShade[] = {-15, 7, 22, 30, 15, -7, -22, -30};
    return slope >= 0 && slope < 8 ? kShade[slope] : 0;
}

MaterialStyle styleOf(const Material& material) {
    MaterialStyle style;
    style.colour = kindColour(material.kind());
    // A cup is always plain black, whatever its slope.
    style.hatched = material.slope() != Flat && material.kind() != Cup;
    if (style.hatched) {
        const int d = slopeShade(material.slope());
        style.colour = shadeColour(style.colour, d, d, d);
        style.lineColour = shadeColour(style.colour, -30, -30, -30);
        static constexpr HatchStyle kHatch[] = {HatchStyle::Horizontal, HatchStyle::Rising,
                                                HatchStyle::Vertical, HatchStyle::Falling};
        style.hatch = kHatch[material.slope() % 4];
    }
    return style;
}

bool hatchLineAt(HatchStyle hatch, int x, int y) {
    switch (hatch) {
        case HatchStyle::Horizontal:
            return y == 0;
        case HatchStyle::Vertical:
            return x == 0;
        case HatchStyle::Rising:
            return (x + y) % 8 == 7;
        case HatchStyle::Falling:
            return x == y;
    }
    return false;
}

QBrush brushFor(const MaterialStyle& style) {
    if (!style.hatched) {
        return QBrush(style.colour);
    }
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            tile.setPixel(x, y, (hatchLineAt(style.hatch, x, y) ? style.lineColour : style.colour).rgb());
        }
    }
    return QBrush(tile);
}

}  // namespace trundlex
