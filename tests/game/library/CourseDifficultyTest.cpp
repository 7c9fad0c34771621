// The difficulty label of a course: mean par per hole, moved a step by how often a careful
// person makes those pars.
#include <gtest/gtest.h>

#include <vector>

#include "library/CourseDifficulty.h"

namespace trundlex {
namespace {

std::vector<HoleFigures> pars(std::initializer_list<int> list) {
    std::vector<HoleFigures> holes;
    for (int par : list) {
        holes.push_back({.par = par, .holeRate = std::nullopt});
    }
    return holes;
}

std::vector<HoleFigures> withRate(std::vector<HoleFigures> holes, double rate) {
    for (HoleFigures& hole : holes) {
        hole.holeRate = rate;
    }
    return holes;
}

TEST(CourseDifficultyTest, MeanParPerHoleGivesTheLabelWhenNoRatesAreKnown) {
    EXPECT_EQ(rateCourse(pars({1, 2, 2, 2, 3, 2, 2, 2, 2})), CourseDifficulty::Easy);
    // 2.5 a hole is no longer easy; just under 3.25 is not yet hard.
    EXPECT_EQ(rateCourse(pars({2, 3})), CourseDifficulty::Medium);
    EXPECT_EQ(rateCourse(pars({3, 3, 3, 4})), CourseDifficulty::Hard);
    EXPECT_EQ(rateCourse(pars({2, 3, 3, 4, 3, 3, 4, 4, 3, 3, 3, 3})), CourseDifficulty::Medium);
    EXPECT_EQ(rateCourse(pars({4, 4, 5, 5})), CourseDifficulty::Hard);
}

TEST(CourseDifficultyTest, HoleRatesMoveTheLabelOneStep) {
    const auto medium = pars({2, 3, 3, 3});
    EXPECT_EQ(rateCourse(withRate(medium, 0.55)), CourseDifficulty::Hard);
    EXPECT_EQ(rateCourse(withRate(medium, 0.7)), CourseDifficulty::Medium);
    EXPECT_EQ(rateCourse(withRate(medium, 0.9)), CourseDifficulty::Easy);
    // Never beyond the ends.
    EXPECT_EQ(rateCourse(withRate(pars({2, 2}), 0.95)), CourseDifficulty::Easy);
    EXPECT_EQ(rateCourse(withRate(pars({5, 5}), 0.5)), CourseDifficulty::Hard);
    // A rate for some holes only is not a mean rate of the course: pars alone decide.
    auto partly = withRate(medium, 0.5);
    partly.back().holeRate.reset();
    EXPECT_EQ(rateCourse(partly), CourseDifficulty::Medium);
}

TEST(CourseDifficultyTest, NoLabelWithoutHolesOrWithAnUnknownPar) {
    EXPECT_FALSE(rateCourse({}));
    EXPECT_FALSE(rateCourse(pars({2, 0, 3})));
    EXPECT_FALSE(rateCourse(pars({-1})));
}

}  // namespace
}  // namespace trundlex
