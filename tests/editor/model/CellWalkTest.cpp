#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "model/CellWalk.h"

namespace trundlex {
namespace {

using Cells = std::vector<Cell>;

Cell cellOf(double x, double y) {
    return {static_cast<std::int32_t>(std::floor(x)), static_cast<std::int32_t>(std::floor(y))};
}

bool listed(const Cells& cells, Cell c) {
    return std::find(cells.begin(), cells.end(), c) != cells.end();
}

TEST(CellWalk, StraightRunsAndASingleCell) {
    EXPECT_EQ(cellsAlong(2.5, 3.5, 2.9, 3.1), (Cells{{2, 3}}));
    EXPECT_EQ(cellsAlong(0.5, 1.5, 3.5, 1.5), (Cells{{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(cellsAlong(4.2, 3.9, 4.2, 0.1), (Cells{{4, 3}, {4, 2}, {4, 1}, {4, 0}}));
    // Through the grid's corners: the cells still join side to side, x first.
    EXPECT_EQ(cellsAlong(0.5, 0.5, 2.5, 2.5),
              (Cells{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}}));
}

// Every cell a segment passes through is walked, in order, and no other: the walk holds each
// cell that points along the segment fall in, joins side to side, and is no longer than the
// shortest such path from the first cell to the last.
TEST(CellWalk, EverySegmentIsCoveredByAJoinedPathOfTheCellsItCrosses) {
    // A fixed spread of segments in all directions, steep and shallow, long and short.
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 8) % 100000) / 100000.0;
    };
    for (int i = 0; i < 400; ++i) {
        const double x0 = 30.0 * next();
        const double y0 = 30.0 * next();
        const double x1 = i % 4 == 0 ? x0 + next() : 30.0 * next();
        const double y1 = 30.0 * next();
        const Cells cells = cellsAlong(x0, y0, x1, y1);
        const Cell first = cellOf(x0, y0);
        const Cell last = cellOf(x1, y1);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.front(), first);
        EXPECT_EQ(cells.back(), last);
        EXPECT_EQ(cells.size(),
                  static_cast<std::size_t>(std::abs(last.x - first.x) + std::abs(last.y - first.y) + 1))
            << "a detour from (" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
        for (std::size_t k = 1; k < cells.size(); ++k) {
            EXPECT_EQ(std::abs(cells[k].x - cells[k - 1].x) + std::abs(cells[k].y - cells[k - 1].y), 1)
                << "a gap after cell " << k - 1;
        }
        for (int s = 0; s <= 1000; ++s) {
            const double t = s / 1000.0;
            const Cell on = cellOf(x0 + t * (x1 - x0), y0 + t * (y1 - y0));
            ASSERT_TRUE(listed(cells, on)) << "cell (" << on.x << ", " << on.y << ") missed from ("
                                           << x0 << ", " << y0 << ") to (" << x1 << ", " << y1
                                           << ")";
        }
    }
}

TEST(CellWalk, UnusableCoordinatesWalkNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(cellsAlong(nan, 0.0, 1.0, 1.0).empty());
    EXPECT_TRUE(cellsAlong(0.0, 0.0, inf, 1.0).empty());
    EXPECT_TRUE(cellsAlong(0.0, 0.0, 1.0, 3.0e9).empty()) << "billions of cells";
    EXPECT_EQ(cellsAlong(-1.5, -0.5, 0.5, -0.5), (Cells{{-2, -1}, {-1, -1}, {0, -1}}))
        << "cells left of and above the grid are walked too; the caller keeps to the level";
}

}  // namespace
}  // namespace trundlex
