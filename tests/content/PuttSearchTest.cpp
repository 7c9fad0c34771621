// The putt search that proves levels playable must find real hole-outs and must fail where
// there is none: a search that passed every level would prove nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "PuttSearch.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {
namespace {

Level levelWithStart(const std::vector<std::string_view>& rows, double x, double y) {
    Level level = asciiLevel(rows);
    level.setStart(x, y);
    return level;
}

TEST(CupDistanceMapTest, CountsTheWayAroundWallsToTheCup) {
    const Level level = levelWithStart(
        {
            "##########",
            "#........#",
            "#.######.#",
            "#......#o#",
            "##########",
        },
        1.5, 3.5);
    const CupDistanceMap map(level);
    EXPECT_EQ(map.at(8.5, 3.5), 0.0) << "the cup itself";
    // From the start the ball must go up, along the top and down again: about 10 blocks to
    // the cup's edge, cutting the corners. A straight line would be 7 blocks.
    EXPECT_GT(map.at(1.5, 3.5), 9.5);
    EXPECT_LT(map.at(1.5, 3.5), 11.5);
    EXPECT_LT(map.at(8.5, 1.5), map.at(1.5, 1.5));
    EXPECT_EQ(map.at(4.5, 2.5), CupDistanceMap::Unreachable) << "inside a wall";
}

TEST(CupDistanceMapTest, WaterIsNoWayThrough) {
    const Level level = levelWithStart(
        {
            "#######",
            "#..~..#",
            "#..~.o#",
            "#..~..#",
            "#######",
        },
        1.5, 2.5);
    const CupDistanceMap map(level);
    EXPECT_FALSE(map.reachable(1.5, 2.5));
    EXPECT_TRUE(map.reachable(4.5, 1.5));
}

TEST(PuttSearchTest, FindsAStraightPutt) {
    const Level level = levelWithStart(
        {
            "############",
            "#..........#",
            "#.........o#",
            "#..........#",
            "############",
        },
        2.5, 2.5);
    const PuttSearchResult result = searchHoleOut(level);
    ASSERT_TRUE(result.holed);
    ASSERT_EQ(result.putts.size(), 1u);
    EXPECT_TRUE(result.putts[0].holed);
    EXPECT_EQ(result.putts[0].fromX, 2.5);
    EXPECT_EQ(result.putts[0].fromY, 2.5);
    EXPECT_GT(result.simulatedPutts, 0);
}

TEST(PuttSearchTest, EachPuttStartsWhereTheOneBeforeEnded) {
    // A long sand corridor: no single putt gets through it, so the search needs more strokes.
    const Level level = levelWithStart(
        {
            "########################",
            "#......ssssssssssssss...#",
            "#......ssssssssssssss..o#",
            "#......ssssssssssssss...#",
            "########################",
        },
        2.5, 2.5);
    const PuttSearchResult result = searchHoleOut(level);
    ASSERT_TRUE(result.holed);
    ASSERT_GE(result.putts.size(), 2u);
    EXPECT_EQ(result.putts[0].fromX, level.startX());
    EXPECT_EQ(result.putts[0].fromY, level.startY());
    for (std::size_t i = 1; i < result.putts.size(); ++i) {
        EXPECT_EQ(result.putts[i].fromX, result.putts[i - 1].toX);
        EXPECT_EQ(result.putts[i].fromY, result.putts[i - 1].toY);
        EXPECT_FALSE(result.putts[i - 1].holed);
    }
    EXPECT_TRUE(result.putts.back().holed);
}

TEST(PuttSearchTest, FailsWhenTheCupIsWalledIn) {
    const Level level = levelWithStart(
        {
            "##############",
            "#............#",
            "#.......###..#",
            "#.......#o#..#",
            "#.......###..#",
            "#............#",
            "##############",
        },
        2.5, 3.5);
    const PuttSearchResult result = searchHoleOut(level);
    EXPECT_FALSE(result.holed);
    EXPECT_GT(result.simulatedPutts, 0) << "the search must really have putted";
    for (const SearchedPutt& putt : result.putts) {
        EXPECT_FALSE(putt.holed);
    }
}

TEST(PuttSearchTest, FailsWhenTheCupIsOnlyBeyondWater) {
    const Level level = levelWithStart(
        {
            "############",
            "#.....~~~~~#",
            "#.....~...~#",
            "#.....~.o.~#",
            "#.....~...~#",
            "#.....~~~~~#",
            "############",
        },
        2.5, 3.5);
    const PuttSearchResult result = searchHoleOut(level);
    EXPECT_FALSE(result.holed);
    EXPECT_GT(result.simulatedPutts, 0);
}

TEST(PuttSearchTest, FailsWhenMoreStrokesWouldBeNeeded) {
    // The sand corridor again, allowed a single stroke.
    const Level level = levelWithStart(
        {
            "########################",
            "#......ssssssssssssss...#",
            "#......ssssssssssssss..o#",
            "#......ssssssssssssss...#",
            "########################",
        },
        2.5, 2.5);
    EXPECT_FALSE(searchHoleOut(level, {.maxStrokes = 1}).holed);
}

}  // namespace
}  // namespace trundlex::testing
