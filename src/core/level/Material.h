#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trundlex {

// Stored in level texts by letter and in memory by value: never renumber.
enum MaterialKind : std::int32_t {
    Grass = 0,
    Wall = 1,
    Ice = 2,
    Cup = 3,
    Sand = 4,
    Water = 5,
};
inline constexpr int MaterialKindCount = 6;

// Downhill direction in steps of 45 degrees counter-clockwise on screen, 0 = right.
enum SlopeDirection : std::int32_t {
    SlopeRight = 0,
    SlopeUpRight = 1,
    SlopeUp = 2,
    SlopeUpLeft = 3,
    SlopeLeft = 4,
    SlopeDownLeft = 5,
    SlopeDown = 6,
    SlopeDownRight = 7,
    Flat = 8,
};

// Acceleration down a 40 degree slope under 9.82 gravity, block units per time unit squared.
double slopeAcceleration();

// One layer of a block: a material kind and an optional slope.
// Setters keep the old value when given one out of range, so a material is always valid.
class Material {
public:
    // The friction of grass, also that of the kinds without one of their own (wall, water).
    // Putt strength estimates are scaled by it: on level grass a ball loses this much speed
    // per block rolled.
    static constexpr double GrassFriction = 0.602;

    Material() = default;
    Material(std::int32_t kind, std::int32_t slope) {
        setKind(kind);
        setSlope(slope);
    }

    std::int32_t kind() const { return kind_; }
    void setKind(std::int32_t kind);
    std::int32_t slope() const { return slope_; }
    void setSlope(std::int32_t slope);

    bool isWall() const { return kind_ == Wall; }
    double friction() const;
    double bounceLoss() const { return 0.19; }
    // The slope's acceleration vector; (0, 0) when flat. y grows down the screen.
    double slopeX() const;
    double slopeY() const;

    // Two characters: the kind's letter from "GTIHSW" and the slope digit.
    std::string toText() const;
    // False (and no change) for a text under 2 characters. An unknown letter reads as
    // Grass, a slope digit outside 0-8 is ignored; characters after the second are ignored.
    bool fromText(std::string_view text);

    friend bool operator==(const Material& a, const Material& b) {
        return a.kind_ == b.kind_ && a.slope_ == b.slope_;
    }

private:
    std::int32_t kind_ = Grass;
    std::int32_t slope_ = Flat;
};

}  // namespace trundlex
