#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Material.h"

namespace trundlex {

// Stored by value in memory and by letter in level texts: never renumber.
enum BlockShape : std::int32_t {
    Square = 0,
    Circle = 1,
    Triangle = 2,
    QuarterDisc = 3,
    HalfDisc = 4,
};
inline constexpr int BlockShapeCount = 5;

// One cell of a level: a back material over the whole block and a front material inside
// the block's shape, turned clockwise in quarter turns. Offsets (u, v) are measured from the
// block's top-left corner in block units, v growing downward.
class Block {
public:
    Block() = default;

    // Back to flat grass on both layers, a square, no rotation.
    void reset() { *this = Block(); }

    Material& back() { return back_; }
    const Material& back() const { return back_; }
    Material& front() { return front_; }
    const Material& front() const { return front_; }

    std::int32_t shape() const { return shape_; }
    void setShape(std::int32_t shape);
    std::int32_t rotation() const { return rotation_; }
    void setRotation(std::int32_t rotation);

    // Plain: square, or both layers alike; it behaves and is written as a square of `back`.
    bool isPlain() const { return shape_ == Square || back_ == front_; }
    // Default: plain flat grass, written "$".
    bool isDefault() const { return isPlain() && back_ == Material(); }
    // A ball meets a material of this kind somewhere in the block: the back, or the front of
    // a shaped block.
    bool holds(std::int32_t kind) const {
        return back_.kind() == kind || (!isPlain() && front_.kind() == kind);
    }

    bool inFront(double u, double v) const;
    const Material& materialAt(double u, double v) const {
        return inFront(u, v) ? front_ : back_;
    }
    std::int32_t kindAt(double u, double v) const { return materialAt(u, v).kind(); }
    bool isWallAt(double u, double v) const { return materialAt(u, v).isWall(); }
    double frictionAt(double u, double v) const { return materialAt(u, v).friction(); }
    double bounceLossAt(double u, double v) const { return materialAt(u, v).bounceLoss(); }
    double slopeXAt(double u, double v) const { return materialAt(u, v).slopeX(); }
    double slopeYAt(double u, double v) const { return materialAt(u, v).slopeY(); }

    // "$" for a default block, else shape letter, rotation digit, back code and, for a
    // shaped block, front code (S0I2, T1G8W8).
    std::string toText() const;
    // "$" resets. A text of 1 to 3 characters is refused (false, block unchanged); anything
    // longer is read leniently: unknown letters and digits fall back to the reset values.
    bool fromText(std::string_view text);

    // Same layers, shape and rotation.
    friend bool operator==(const Block& a, const Block& b) = default;

private:
    Material back_;
    Material front_;
    std::int32_t shape_ = Square;
    std::int32_t rotation_ = 0;
};

}  // namespace trundlex
