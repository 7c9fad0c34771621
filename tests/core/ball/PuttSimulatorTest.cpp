// The fast path of the simulation must give the same putts as the full probing, to the last
// bit: every computer of a network game, the solver and the animated ball rely on it.
#include "ball/PuttSimulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <tuple>
#include <vector>

#include "ball/Ball.h"
#include "level/Level.h"
#include "support/SilentBallOwner.h"
#include "util/BitCast.h"

namespace trundlex {
namespace {

// A level with every material, shape, rotation and slope at random, over open grass, with a
// few cups. Without a border on odd seeds, so that balls also leave the level.
Level randomLevel(std::uint32_t seed, std::int32_t width, std::int32_t height) {
    std::mt19937 random(seed);
    auto pick = [&](int n) {
        return static_cast<std::int32_t>(random() % static_cast<unsigned>(n));
    };
    Level level(width, height, "random", "tests");
    for (std::int32_t r = 0; r < height; ++r) {
        for (std::int32_t c = 0; c < width; ++c) {
            Block& block = level.block(c, r);
            const bool border = r == 0 || c == 0 || r == height - 1 || c == width - 1;
            if (border && seed % 2 == 0) {
                block.back().setKind(Wall);
                continue;
            }
            if (pick(100) < 55) {
                continue;  // open grass, where the fast path skips its probes
            }
            block.setShape(pick(BlockShapeCount));
            block.setRotation(pick(4));
            block.front().setKind(pick(MaterialKindCount));
            block.front().setSlope(pick(9));
            block.back().setKind(pick(3) == 0 ? pick(MaterialKindCount) : Grass);
            block.back().setSlope(pick(2) == 0 ? pick(9) : Flat);
        }
    }
    for (int i = 0; i < 3; ++i) {
        Block& cup = level.block(2 + pick(width - 4), 2 + pick(height - 4));
        cup.setShape(pick(2) == 0 ? Circle : Square);
        cup.front().setKind(Cup);
        cup.front().setSlope(Flat);
        cup.back().setKind(Grass);
    }
    return level;
}

// Every field of the motion after a tick, the doubles as bits (x first).
auto snapshot(const BallMotion& m) {
    const auto bits = [](double d) { return bitCast<std::uint64_t>(d); };
    return std::tuple(bits(m.x), bits(m.y), bits(m.speed), bits(m.heading), bits(m.radius),
                      m.subSteps, m.slowCount, m.cupCount, m.rolling, m.sinking, m.wallContact);
}
using Snapshot = decltype(snapshot(BallMotion{}));

struct Trace {
    std::vector<Snapshot> ticks;
    PuttOutcome end;
};

Trace trace(const PuttSimulator& sim, double x, double y, double speed, double heading) {
    Trace t;
    t.end = sim.putt(x, y, speed, heading, 0, 1, [&](const BallMotion& m) {
        t.ticks.push_back(snapshot(m));
        return true;
    });
    return t;
}

bool sameBits(double a, double b) {
    return bitCast<std::uint64_t>(a) == bitCast<std::uint64_t>(b);
}

TEST(PuttSimulator, SkippingProbesChangesNoSubStepOfAnyPutt) {
    int putts = 0;
    int holed = 0;
    int wasted = 0;
    std::int64_t openSubSteps = 0;
    std::int64_t allSubSteps = 0;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        const Level level = randomLevel(seed, 14, 12);
        const PuttSimulator fast(level, PuttSimulator::Probing::WhereNeeded);
        const PuttSimulator reference(level, PuttSimulator::Probing::Everywhere);
        const OpenCells open(level);
        std::mt19937 random(seed * 7919);
        std::uniform_real_distribution<double> across(0.0, 14.0);
        std::uniform_real_distribution<double> down(0.0, 12.0);
        std::uniform_real_distribution<double> speedOf(0.5, 40.0);
        std::uniform_real_distribution<double> headingOf(-std::numbers::pi, std::numbers::pi);
        for (int i = 0; i < 60; ++i) {
            const double x = across(random);
            const double y = down(random);
            const std::int32_t kind = level.materialKindAt(x, y);
            if (kind == Wall || kind == Water) {
                continue;
            }
            const double speed = speedOf(random);
            const double heading = headingOf(random);
            const Trace a = trace(fast, x, y, speed, heading);
            const Trace b = trace(reference, x, y, speed, heading);
            ASSERT_EQ(a.ticks.size(), b.ticks.size())
                << "seed " << seed << " putt " << i << " from " << x << ", " << y;
            for (std::size_t t = 0; t < a.ticks.size(); ++t) {
                ASSERT_EQ(a.ticks[t], b.ticks[t])
                    << "seed " << seed << " putt " << i << " sub-step " << t;
            }
            EXPECT_TRUE(sameBits(a.end.x, b.end.x) && sameBits(a.end.y, b.end.y));
            EXPECT_EQ(a.end.holed, b.end.holed);
            ++putts;
            holed += a.end.holed ? 1 : 0;
            wasted += a.end.wasted ? 1 : 0;
            for (const Snapshot& s : a.ticks) {
                ++allSubSteps;
                if (open.isOpenAt(bitCast<double>(std::get<0>(s)),
                                  bitCast<double>(std::get<1>(s)))) {
                    ++openSubSteps;
                }
            }
        }
    }
    // The comparison means something only when the putts went everywhere: through open
    // ground (where probes are skipped), into cups, into water and over the edge.
    EXPECT_GT(putts, 300);
    EXPECT_GT(holed, 0);
    EXPECT_GT(wasted, 0);
    EXPECT_GT(openSubSteps, allSubSteps / 10);
    EXPECT_LT(openSubSteps, allSubSteps);
}

// The worker thread's putt is compared with the synchronous one in the ball's own tests.
TEST(PuttSimulator, EndsWhereTheSynchronousBallEnds) {
    const Level level = randomLevel(11, 12, 12);
    const PuttSimulator sim(level);
    testing::SilentBallOwner owner;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> across(1.0, 11.0);
    std::uniform_real_distribution<double> speedOf(0.5, 30.0);
    std::uniform_real_distribution<double> headingOf(-std::numbers::pi, std::numbers::pi);
    for (int compared = 0; compared < 40;) {
        const double x = across(random);
        const double y = across(random);
        const double speed = speedOf(random);
        const double heading = headingOf(random);
        const std::int32_t kind = level.materialKindAt(x, y);
        if (kind == Wall || kind == Water) {
            continue;
        }
        const PuttOutcome expected = sim.putt(x, y, speed, heading);
        Ball ball;  // a fresh ball: no rest count left over from an earlier roll
        ball.SetSoundOn(false);
        ball.SetLevel(level);
        ball.SetX(x);
        ball.SetY(y);
        ASSERT_TRUE(ball.PuttNow(speed, heading, &owner, Fastest));
        EXPECT_TRUE(sameBits(ball.GetX(), expected.x) && sameBits(ball.GetY(), expected.y))
            << "putt " << compared;
        EXPECT_EQ(ball.IsSinking(), expected.holed);
        EXPECT_EQ(ball.GetSubStepCount(), expected.subSteps);
        ++compared;
    }
}

TEST(PuttSimulator, ARestCountLeftFromTheLastRollStopsASlowPuttAtOnce) {
    Level level(10, 10, "flat", "tests");
    const PuttSimulator sim(level);
    const PuttOutcome fresh = sim.putt(2.0, 5.0, 0.4, 0.0);
    const PuttOutcome afterRest = sim.putt(2.0, 5.0, 0.4, 0.0, 201);
    EXPECT_EQ(afterRest.subSteps, 1);
    EXPECT_GT(fresh.subSteps, 200);
    EXPECT_GT(fresh.x, afterRest.x);
    // A putt that keeps above rest speed clears the count on its first sub-step.
    EXPECT_EQ(sim.putt(2.0, 5.0, 3.0, 0.0, 201).subSteps, sim.putt(2.0, 5.0, 3.0, 0.0).subSteps);
}

TEST(OpenCells, OnlyCellsWhoseWholeNeighbourhoodIsInsideAndHarmless) {
    Level level(6, 5, "cells", "tests");
    level.block(4, 2).setShape(Triangle);
    level.block(4, 2).front().setKind(Wall);  // a wall in part of the block only
    level.block(1, 3).back().setKind(Cup);
    level.block(1, 3).setShape(Circle);
    level.block(1, 3).front().setKind(Grass);  // a cup behind grass still pulls at the rim
    const OpenCells open(level);
    EXPECT_TRUE(open.isOpenAt(2.5, 1.5));
    EXPECT_FALSE(open.isOpenAt(0.5, 1.5)) << "the level's edge is a wall";
    EXPECT_FALSE(open.isOpenAt(3.5, 1.5)) << "next to the triangle";
    EXPECT_FALSE(open.isOpenAt(2.5, 2.5)) << "next to the cup";
    EXPECT_TRUE(open.isCupFreeAt(3.5, 1.5)) << "a wall, but no cup near";
    EXPECT_FALSE(open.isCupFreeAt(2.5, 2.5));
    EXPECT_FALSE(open.isCupFreeAt(0.5, 1.5)) << "at the level's edge";
    EXPECT_FALSE(open.isOpenAt(std::nan(""), 1.5));
    EXPECT_FALSE(open.isOpenAt(-0.1, 1.5));
    EXPECT_FALSE(open.isOpenAt(1e300, 1.5));
}

}  // namespace
}  // namespace trundlex
