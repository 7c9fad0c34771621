#pragma once

#include <cstdint>

namespace trundlex {

// Colours with components 0 ... 255 as floats, so shading steps add up without rounding.
struct Rgbf {
    float r = 0;
    float g = 0;
    float b = 0;
};

inline Rgbf mix(const Rgbf& a, const Rgbf& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgbf scaled(const Rgbf& c, float f) { return {c.r * f, c.g * f, c.b * f}; }

// Pseudo-random 0 ... 1 for a lattice point, the same on every run and computer.
float latticeNoise(int x, int y, int seed);
// Smoothly interpolated lattice noise, 0 ... 1.
float smoothNoise(float x, float y, int seed);

// What the modern look knows of a pixel besides its material: where it lies in the level and
// how far into a body of water or a cup it is.
struct TexturePoint {
    int px = 0;          // pixel in the level picture
    int py = 0;
    float blockSize = 1;  // pixels per block
    float depth = 1;      // 0 at the rim of water or a cup, 1 well inside it
};

// The modern colour of a material at a pixel: a textured base colour, the slope's chevrons
// pointing downhill (not on walls and cups, which no ball rolls on), water and cups darker
// with depth. Every shade of one kind keeps that kind's hue.
Rgbf materialColour(int kind, int slope, const TexturePoint& point);

}  // namespace trundlex
