// Every shipped course rises in difficulty and its pars hold against the computer players:
// pars of 2 to 5 that never fall from one hole to the next (the first hole of the beginners'
// course may be a par 1, to start a new player with a hole-in-one), the medium computer's mean
// within par +- 1.5 on each hole and the hard computer's at most par + 0.5. The computers play
// with fixed seeds, so a course that passes once passes every time; a level or course change
// that breaks the curve fails here.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "level/Level.h"
#include "library/Course.h"
#include "library/CourseDifficulty.h"
#include "library/FolderWalker.h"
#include "library/LevelLibrary.h"
#include "play/ComputerPlayer.h"
#include "solver/HandTrials.h"
#include "solver/Par.h"
#include "solver/PuttPlanner.h"
#include "solver/PuttSolver.h"
#include "solver/HoleRates.h"
#include "solver/ShippedPars.h"

namespace trundlex {
namespace {

const std::string kResources = std::string(TRUNDLEX_SOURCE_DIR) + "/resources";
const std::string kBeginners = "Beginners' Nine";
// Games each computer plays on each level: enough that a mean is a mean, few enough that the
// levels of the five courses play in about a minute on two cores.
constexpr int kGames = 20;

std::vector<std::string> shippedCourseFiles() {
    std::vector<std::string> files;
    FolderWalker("cou").walk(kResources + "/courses", true,
                             [&files](const std::string& path) { files.push_back(path); });
    return files;
}

const LevelLibrary& shippedLevels() {
    static const LevelLibrary levels = [] {
        LevelLibrary read(kResources);
        read.scan(nullptr);
        return read;
    }();
    return levels;
}

const ShippedPars& shippedPars() {
    // The table is checked against the solver in ShippedParTableTest; reading it here keeps
    // this test from working out every par a second time.
    static const ShippedPars table = [] {
        ShippedPars read;
        read.load(kResources + "/levels/pars.txt");
        return read;
    }();
    return table;
}

const HoleRates& shippedRates() {
    static const HoleRates table = [] {
        HoleRates read;
        read.load(kResources + "/levels/rates.txt");
        return read;
    }();
    return table;
}

struct Means {
    double medium = 0.0;
    double hard = 0.0;
};

double meanScore(const PuttSolver& solver, const Level& level, ComputerStrength strength,
                 std::uint32_t seed) {
    PuttPlanner planner(solver, {});
    const TrialResult played =
        playTrials(solver, planner, level.startX(), level.startY(),
                   {.trials = kGames, .seed = seed, .hand = handOf(strength),
                    .strokeLimit = ParStrokeLimit, .untilMedianKnown = false});
    double sum = 0.0;
    for (const int score : played.strokes) {
        sum += score;
    }
    return played.strokes.empty() ? 0.0 : sum / static_cast<double>(played.strokes.size());
}

// The mean scores of the medium and the hard computer on a level over kGames games each. The
// seed comes from the level's blocks, so a level scores the same in every course that plays
// it, and is played once however many courses hold it.
Means meansOf(const Level& level) {
    static std::map<std::string, Means> known;
    const auto found = known.find(level.id());
    if (found != known.end()) {
        return found->second;
    }
    const auto seed = static_cast<std::uint32_t>(levelFingerprint(level));
    const PuttSolver solver(level);
    const Means means{meanScore(solver, level, ComputerStrength::Medium, seed),
                      meanScore(solver, level, ComputerStrength::Hard, seed)};
    known.emplace(level.id(), means);
    return means;
}

struct Hole {
    std::string name;
    int par = 0;
    std::optional<double> rate;
};

std::vector<Hole> holesOf(const Course& course) {
    const CourseLevels found = course.resolve(shippedLevels());
    EXPECT_EQ(found.found, found.expected) << course.name() << " misses levels";
    std::vector<Hole> holes;
    for (const Level& level : found.levels) {
        const std::optional<int> par = shippedPars().lookup(level);
        EXPECT_TRUE(par) << level.name() << " has no shipped par";
        holes.push_back({level.name(), par.value_or(0), shippedRates().lookup(level)});
    }
    return holes;
}

class CourseCurveTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CourseCurveTest, ParsRiseFromTwoToFive) {
    Course course;
    ASSERT_TRUE(course.load(GetParam()));
    const std::vector<Hole> holes = holesOf(course);
    ASSERT_FALSE(holes.empty());
    for (std::size_t i = 0; i < holes.size(); ++i) {
        SCOPED_TRACE("hole " + std::to_string(i + 1) + " " + holes[i].name);
        const int lowest = i == 0 && course.name() == kBeginners ? 1 : 2;
        EXPECT_GE(holes[i].par, lowest);
        EXPECT_LE(holes[i].par, 5);
        if (i > 0) {
            EXPECT_GE(holes[i].par, holes[i - 1].par) << "the course falls back here";
        }
    }
}

TEST_P(CourseCurveTest, ComputersScoreNearPar) {
    Course course;
    ASSERT_TRUE(course.load(GetParam()));
    const CourseLevels found = course.resolve(shippedLevels());
    ASSERT_EQ(found.found, found.expected);
    for (std::size_t i = 0; i < found.levels.size(); ++i) {
        const Level& level = found.levels[i];
        SCOPED_TRACE(course.name() + " hole " + std::to_string(i + 1) + " " + level.name());
        const std::optional<int> par = shippedPars().lookup(level);
        ASSERT_TRUE(par);
        const Means means = meansOf(level);
        const double medium = means.medium;
        const double hard = means.hard;
        std::printf("%s: par %d, medium %.2f, hard %.2f\n", level.name().c_str(), *par, medium,
                    hard);
        EXPECT_NEAR(medium, *par, 1.5);
        EXPECT_LE(hard, *par + 0.5);
    }
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, CourseCurveTest, ::testing::ValuesIn(shippedCourseFiles()),
                         testName);

// The label the pickers show, from the shipped pars and hole rates: the beginners' course is
// the easy one and no shipped course is left without a label.
TEST(CourseLabelTest, BeginnersNineIsEasyAndEveryCourseHasALabel) {
    bool sawBeginners = false;
    for (const std::string& file : shippedCourseFiles()) {
        Course course;
        ASSERT_TRUE(course.load(file));
        std::vector<HoleFigures> figures;
        for (const Hole& hole : holesOf(course)) {
            EXPECT_TRUE(hole.rate) << course.name() << ": " << hole.name << " has no hole rate";
            figures.push_back({.par = hole.par, .holeRate = hole.rate});
        }
        const std::optional<CourseDifficulty> label = rateCourse(figures);
        ASSERT_TRUE(label) << course.name();
        if (course.name() == kBeginners) {
            sawBeginners = true;
            EXPECT_EQ(*label, CourseDifficulty::Easy);
        }
    }
    EXPECT_TRUE(sawBeginners);
}

}  // namespace
}  // namespace trundlex
