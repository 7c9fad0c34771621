#pragma once

#include <QBrush>
#include <QColor>

#include "level/Material.h"

namespace trundlex {

// Hatch line directions; a sloped material is hatched along its fall line.
enum class HatchStyle {
    Horizontal,  // slopes right and left
    Rising,      // "/" : up-right and down-left
    Vertical,    // up and down
    Falling,     // "\" : up-left and down-right
};

// How a material looks: a solid colour, or for a sloped material a shaded colour crossed by
// darker one-pixel hatch lines every 8 pixels.
struct MaterialStyle {
    QColor colour;
    bool hatched = false;
    QColor lineColour;
    HatchStyle hatch = HatchStyle::Horizontal;
};

// The colour of a material kind, before slope shading.
QColor kindColour(int kind);
// Adds the deltas to red, green and blue, each clamped to 0-255.
QColor shadeColour(const QColor& colour, int dr, int dg, int db);
// Lighter or darker by the downhill direction, as if lit from the upper left.
int slopeShade(int slope);

MaterialStyle styleOf(const Material& material);

// A brush for the style. Hatch patterns are 8 x 8 tiles anchored at the painted device's
// origin, so neighbouring blocks continue each other's lines.
QBrush brushFor(const MaterialStyle& style);

// Whether the hatch tile has a line at tile pixel (x, y), 0 <= x, y < 8.
bool hatchLineAt(HatchStyle hatch, int x, int y);

}  // namespace trundlex
