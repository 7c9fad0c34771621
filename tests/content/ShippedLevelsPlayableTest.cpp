// Proves every level that ships in resources/levels playable: the putt solver
// must find, with the ball simulation, putts that hole out in at most five strokes. A level
// that no sequence of putts can finish, or only in more strokes, fails here.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/FolderWalker.h"
#include "solver/PuttSolver.h"
#include "support/AsciiLevel.h"
#include "support/ReplayPutts.h"

namespace trundlex::testing {
namespace {

constexpr int kMaxStrokes = 5;

std::vector<std::string> shippedLevelFiles() {
    std::vector<std::string> files;
    FolderWalker("lev").walk(std::string(TRUNDLEX_SOURCE_DIR) + "/resources/levels", true,
                             [&files](const std::string& path) { files.push_back(path); });
    return files;
}

// The check every shipped level must pass: a search that holes out within kMaxStrokes, whose
// putts hole out again when played on a fresh ball. Prints the putts it found.
::testing::AssertionResult holesOutWithinFiveStrokes(const Level& level) {
    const SolverResult result = PuttSolver(level).solve({.maxStrokes = kMaxStrokes});
    std::printf("%s: %zu putts, holed %d\n", level.name().c_str(), result.putts.size(),
                result.holed);
    for (const SolvedPutt& p : result.putts) {
        std::printf("  from (%.3f, %.3f) speed %.4f heading %.4f\n", p.fromX, p.fromY, p.speed,
                    p.heading);
    }
    const bool ok = result.holed && !result.putts.empty() &&
                    std::ssize(result.putts) <= kMaxStrokes && replayHolesOut(level, result.putts);
    return ok ? ::testing::AssertionSuccess()
              : ::testing::AssertionFailure() << level.name() << " not holed out within 5";
}

class ShippedLevelsPlayableTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedLevelsPlayableTest, HolesOutInAtMostFiveStrokes) {
    Level level;
    ASSERT_EQ(loadLevelFile(GetParam(), level), LevelLoadResult::Loaded);
    EXPECT_TRUE(holesOutWithinFiveStrokes(level));
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLevelsPlayableTest,
                         ::testing::ValuesIn(shippedLevelFiles()), testName);

// The check must be able to fail: a level whose cup is walled in is refused.
TEST(ShippedLevelsPlayableCheckTest, RefusesALevelWithItsCupWalledIn) {
    Level level = asciiLevel({"#######", "#.....#", "#.###.#", "#.#o#.#", "#.###.#", "#######"});
    level.setStart(1.5, 1.5);
    EXPECT_FALSE(holesOutWithinFiveStrokes(level));
}

}  // namespace
}  // namespace trundlex::testing
