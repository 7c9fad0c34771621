#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "BlockGrid.h"
#include "LevelId.h"

namespace trundlex {

class ArchiveReader;
class ArchiveWriter;

// The playing field of one hole: a grid of blocks, a name, a creator, a level ID and the
// start position of the ball. Positions are in block units, x to the right and y downward
// from the top-left corner; block (c, r) covers [c, c + 1) x [r, r + 1).
class Level {
public:
    // Ball radius used to keep the start position inside the level.
    static constexpr double BallRadius = 0.35;
    // No bound on the size of a level text beyond what its length can hold.
    static constexpr std::int32_t MaxSide = 0x7fffffff;
    // The largest width and height the editor makes, and so the largest level a network game
    // accepts from another computer.
    static constexpr std::int32_t MaxEditorSide = 99;

    // A 10 x 10 level of default blocks, start (5, 5), empty strings, not modified.
    Level();
    Level(std::int32_t width, std::int32_t height, std::string_view name = {},
          std::string_view creator = {}) {
        init(width, height, name, creator);
    }

    // Resizes, sets name and creator, puts the start in the middle and clears `modified`.
    void init(std::int32_t width, std::int32_t height, std::string_view name,
              std::string_view creator);

    std::int32_t width() const { return grid_.width(); }
    std::int32_t height() const { return grid_.height(); }
    // Cells that exist before and after keep their blocks, new cells are default blocks; the
    // start is kept inside and the level is marked modified.
    void resize(std::int32_t width, std::int32_t height);
    // Only for cells inside the level (see containsCell).
    Block& block(std::int32_t column, std::int32_t row) { return grid_.at(column, row); }
    const Block& block(std::int32_t column, std::int32_t row) const {
        return grid_.at(column, row);
    }

    const std::string& name() const { return name_; }
    const std::string& creator() const { return creator_; }
    const std::string& id() const { return id_; }
    // Braces are removed; marks the level modified only when the name changes.
    void setName(std::string_view text);
    // Braces are removed; always marks the level modified.
    void setCreator(std::string_view text);
    void setId(std::string_view id) { id_ = std::string(id); }

    double startX() const { return startX_; }
    double startY() const { return startY_; }
    // Stores the start as given; call clampStart to keep it inside.
    void setStart(double x, double y);
    // Moves the start so that a ball of BallRadius lies inside the level, x before y and
    // upper bound before lower bound; marks the level modified when it moves the start.
    void clampStart();

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // Point queries of the ball simulation.
    // locate: false outside the level (NaN included); otherwise the cell and in-block offset.
    bool locate(double x, double y, std::int32_t* column = nullptr, std::int32_t* row = nullptr,
                double* u = nullptr, double* v = nullptr) const;
    bool containsCell(std::int32_t column, std::int32_t row) const {
        return column >= 0 && row >= 0 && column < width() && row < height();
    }
    bool containsPoint(double x, double y) const {
        return x >= 0.0 && y >= 0.0 && x < width() && y < height();
    }
    // The material under a point; null outside the level.
    const Material* materialAt(double x, double y) const;
    // -1 outside the level.
    std::int32_t materialKindAt(double x, double y) const;
    // The outside of the level is a wall.
    bool isWallAt(double x, double y) const;
    double frictionAt(double x, double y) const;   // 0.0 outside
    double bounceLossAt(double x, double y) const;  // 0.19 everywhere
    double slopeXAt(double x, double y) const;     // 0.0 outside
    double slopeYAt(double x, double y) const;     // 0.0 outside

    // Strict order for level lists: creator, then name (byte-wise), then block count.
    static bool lessThan(const Level& a, const Level& b);

    // The level text: a brace-delimited header and one code per cell, CR LF line ends.
    std::string toText() const;
    // Parses a level text. False with the level unchanged for a wrong tag, a size below
    // 2 x 2, or a size the rest of the text cannot hold; false after applying what was read
    // when a cell field is missing or empty. Clears `modified` on success. With `maxSide`, a
    // width or height above it is refused too, before anything is allocated (for levels from
    // peers that nobody has vetted).
    bool fromText(std::string_view text, std::int32_t maxSide = MaxSide);
    // Reads one archive string and parses it; `modified` is clear afterwards either way.
    bool readFrom(ArchiveReader& archive);
    // Gives the level a new ID from its blocks and the clock's local time, writes the text
    // as one archive string and clears `modified`. False when the write fails.
    bool writeTo(ArchiveWriter& archive, const LocalClock& clock = systemLocalClock());

    friend bool operator==(const Level&, const Level&) = default;

private:
    BlockGrid grid_;
    double startX_ = 0.0;
    double startY_ = 0.0;
    std::string name_;
    std::string creator_;
    std::string id_;
    bool modified_ = false;
};

}  // namespace trundlex
