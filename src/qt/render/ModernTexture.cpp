#include "ModernTexture.h"

#include <algorithm>
#include <cmath>

#include "level/Material.h"

namespace trundlex {

float latticeNoise(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / 16777216.0f;
}

float smoothNoise(float x, float y, int seed) {
    const float fx0 = std::floor(x);
    const float fy0 = std::floor(y);
    const int x0 = static_cast<int>(fx0);
    const int y0 = static_cast<int>(fy0);
    float fx = x - fx0;
    float fy = y - fy0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const float top = latticeNoise(x0, y0, seed) +
                      (latticeNoise(x0 + 1, y0, seed) - latticeNoise(x0, y0, seed)) * fx;
    const float bottom = latticeNoise(x0, y0 + 1, seed) +
                         (latticeNoise(x0 + 1, y0 + 1, seed) - latticeNoise(x0, y0 + 1, seed)) * fx;
    return top + (bottom - top) * fy;
}

namespace {

// One chevron in the middle of every sloped block, its tip pointing downhill, over a shade
// that darkens downhill across the block, so the eye reads "this way down" at a glance.
float chevronLight(int slope, float u, float v) {
    const float angle = static_cast<float>(slope) * 0.78539816f;
    const float dx = std::cos(angle);
    const float dy = -std::sin(angle);
    const float cu = u - std::floor(u) - 0.5f;
    const float cv = v - std::floor(v) - 0.5f;
    const float along = cu * dx + cv * dy;
    const float across = std::fabs(cu * -dy + cv * dx);
    const float arm = along + 0.75f * across - 0.12f;
    const float stroke = std::fmax(0.0f, 1.0f - std::fabs(arm) / 0.08f);
    const float reach = std::clamp((0.36f - across) / 0.06f, 0.0f, 1.0f);
    return 1.0f + 0.22f * stroke * reach - 0.10f * along;
}

Rgbf grass(const TexturePoint& p, float u, float v) {
    const float patches = smoothNoise(u * 0.45f, v * 0.45f, 11);
    const float tufts = smoothNoise(p.px * 0.22f, p.py * 0.22f, 12);
    const float blades = latticeNoise(p.px, p.py, 13);
    const float f = 0.90f + 0.16f * patches + 0.06f * tufts + 0.05f * blades;
    return scaled({70, 150, 60}, f);
}

Rgbf sand(const TexturePoint& p, float u, float v) {
    const float drift = smoothNoise(u * 1.3f, v * 0.7f, 21);
    const float grain = latticeNoise(p.px, p.py, 22);
    float f = 0.93f + 0.07f * drift + 0.09f * grain;
    if (latticeNoise(p.px, p.py, 23) > 0.94f) {
        f *= 0.84f;  // a darker grain here and there
    }
    return scaled({226, 192, 120}, f);
}

Rgbf ice(const TexturePoint& p, float u, float v) {
    // A soft sheen in broad, irregular patches rather than regular stripes.
    const float sheen = smoothNoise((u + v) * 0.55f, (v - u) * 0.25f, 31);
    const float frost = smoothNoise(p.px * 0.15f, p.py * 0.15f, 32);
    const Rgbf base = mix({176, 214, 232}, {226, 244, 250}, sheen);
    Rgbf c = scaled(base, 0.97f + 0.04f * frost);
    if (latticeNoise(p.px, p.py, 33) > 0.996f) {
        c = {240, 252, 255};  // a glint
    }
    return c;
}

Rgbf water(const TexturePoint& p, float u, float v) {
    const float d = std::fmin(1.0f, p.depth);
    const float s = d * d * (3 - 2 * d);
    const Rgbf base = mix({96, 176, 232}, {20, 74, 168}, s);
    const float ripple = smoothNoise(u * 2.2f, v * 3.6f, 41);
    return scaled(base, 0.93f + 0.12f * ripple);
}

Rgbf wall(const TexturePoint& p, float u, float v) {
    const float stone = smoothNoise(u * 2.5f, v * 2.5f, 51);
    const float grit = latticeNoise(p.px, p.py, 52);
    return scaled({162, 66, 56}, 0.90f + 0.12f * stone + 0.05f * grit);
}

Rgbf cup(const TexturePoint& p) {
    const float d = std::fmin(1.0f, p.depth);
    return mix({78, 84, 80}, {10, 12, 12}, std::sqrt(d));
}

}  // namespace

Rgbf materialColour(int kind, int slope, const TexturePoint& point) {
    const float u = static_cast<float>(point.px) / point.blockSize;
    const float v = static_cast<float>(point.py) / point.blockSize;
    Rgbf c;
    switch (kind) {
        case Wall:
            return wall(point, u, v);
        case Cup:
            return cup(point);
        case Ice:
            c = ice(point, u, v);
            break;
        case Sand:
            c = sand(point, u, v);
            break;
        case Water:
            c = water(point, u, v);
            break;
        default:
            c = grass(point, u, v);
            break;
    }
    if (slope >= 0 && slope < Flat) {
        c = scaled(c, chevronLight(slope, u, v));
    }
    return c;
}

}  // namespace trundlex
