#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

namespace trundlex {

class Level;

// One time unit of a putt is this many sub-steps.
inline constexpr std::int32_t SubStepsPerTimeUnit = 200;
inline constexpr double BallDefaultRadius = 0.35;
// Slopes can keep a ball rolling forever: a roll ends after this many time units as if the
// ball had come to rest. Every computer applies the same rule.
inline constexpr std::int32_t MaxRollTimeUnits = 100;

// Why a putt lost the ball, which then goes back to where the putt began.
enum class BallLoss : std::int32_t {
    None = 0,
    Water = 1,
    OutOfBounds = 2,  // its centre left the level
};

// Where a ball is and how it moves during a putt: everything a sub-step reads and writes.
struct BallMotion {
    double x = 100.0;
    double y = 100.0;
    double radius = BallDefaultRadius;
    double startX = 0.0;  // where the putt began: water puts the ball back there
    double startY = 0.0;
    double speed = 0.0;
    double heading = 0.0;
    std::int32_t slowCount = 0;
    std::int32_t cupCount = 0;
    std::int32_t subSteps = 0;
    bool rolling = false;
    bool sinking = false;
    bool touchedCup = false;
    bool wallContact = false;
    BallLoss loss = BallLoss::None;  // of the current or last putt

    // Starts a putt from the current position.
    void begin(double speed, double heading);
};

// Hears the sounds a level makes with the ball; mutedInNextPosition marks the sounds that stay
// quiet while the owner skips ahead to the next position.
class BallSounds {
public:
    virtual ~BallSounds() = default;
    virtual void sound(std::string_view file, bool mutedInNextPosition) = 0;
};

// The cells of a level where a ball's wall and cup probes cannot find anything: the cell and
// its eight neighbours lie inside the level and none of them holds a wall or the cup, in front
// or behind. A ball whose centre is in such a cell, with a radius below one block, reaches no
// further than the neighbours. Built from the level as it is; the level must not change while
// the map is used.
class OpenCells {
public:
    explicit OpenCells(const Level& level);
    bool isOpenAt(double x, double y) const;
    // The same for the cup alone: the cell and its neighbours lie inside the level and none
    // holds the cup (walls may be there).
    bool isCupFreeAt(double x, double y) const;

    // A range of directions seen from a point: angles from `from` to `from + width` (radians,
    // width below pi).
    struct Sector {
        double from = 0.0;
        double width = 0.0;
    };
    static constexpr int MaxSectors = 8;
    // The directions in which a point at most r (below one block) from (x, y) can lie in a
    // cell that holds a wall or lies outside the level, a little widened against rounding:
    // the number of sectors written to `sectors`, or -1 when that may be any direction (the
    // point's own cell holds a wall, or such a cell touches the point).
    int wallSectors(double x, double y, double r, Sector* sectors) const;

private:
    bool wallFree(std::int32_t column, std::int32_t row) const {
        return column >= 0 && row >= 0 && column < width_ && row < height_ &&
               wallFree_[static_cast<std::size_t>(row) * width_ + column] != 0;
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<unsigned char> open_;
    std::vector<unsigned char> cupFree_;
    std::vector<unsigned char> wallFree_;  // neither layer of the cell is a wall
};

// Runs up to count sub-steps of a rolling ball and applies the rest rule and the roll-time
// limit after each; ends early when the ball stops rolling or *stop turns true (stop may be
// null). With open null every sub-step probes for walls and the cup at full cost; with an
// OpenCells map of the same level the probes are skipped where the map proves they would find
// nothing, which changes no result by a single bit. sounds may be null. rollA and rollB (may
// be null) collect the turn of the ball's surface for drawing.
void runSubSteps(BallMotion& motion, const Level& level, const OpenCells* open, std::int32_t count,
                 const std::atomic<bool>* stop, BallSounds* sounds, double* rollA, double* rollB);

}  // namespace trundlex
