// Proves every level that ships in resources/levels playable: the putt solver
// must find, with the ball simulation, putts that hole out in at most five strokes. A level
// that no sequence of putts can finish, or only in more strokes, fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "solver/PuttSolver.h"
#include "support/ReplayPutts.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxStrokes = 5;

const fs::path kLevels = fs::path(TRUNDLEX_SOURCE_DIR) / "resources" / "levels";

std::vector<std::string> shippedLevelFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(kLevels)) {
        if (entry.is_regular_file() && entry.path().extension() == ".lev") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string describe(const std::vector<SolvedPutt>& putts) {
    std::string text;
    char line[200];
    for (std::size_t i = 0; i < putts.size(); ++i) {
        const SolvedPutt& p = putts[i];
        std::snprintf(line, sizeof line,
                      "  %zu: from (%.3f, %.3f) speed %.4f heading %.4f -> (%.3f, %.3f)%s\n", i + 1,
                      p.fromX, p.fromY, p.speed, p.heading, p.toX, p.toY,
                      p.holed ? " in the cup" : "");
        text += line;
    }
    return text;
}

// The check every shipped level must pass: a search that holes out within kMaxStrokes, whose
// putts hole out again when played on a fresh ball. Prints what it found and how long it took.
::testing::AssertionResult holesOutWithinFiveStrokes(const Level& level) {
    const auto begin = std::chrono::steady_clock::now();
    const SolverResult result = PuttSolver(level).solve({.maxStrokes = kMaxStrokes});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("%s: %s in %zu stroke%s, %.2f s, %lld putts simulated, %lld sub-steps\n%s",
                level.name().c_str(), result.holed ? "holed out" : "not holed out",
                result.putts.size(), result.putts.size() == 1 ? "" : "s", seconds,
                static_cast<long long>(result.simulatedPutts),
                static_cast<long long>(result.subSteps), describe(result.putts).c_str());
    if (!result.holed) {
        return ::testing::AssertionFailure()
               << level.name() << ": no sequence of at most " << kMaxStrokes
               << " putts found that holes out; the closest attempt:\n"
               << (result.putts.empty() ? "  none got closer to the cup than the start\n"
                                        : describe(result.putts));
    }
    if (result.putts.empty() || result.putts.size() > static_cast<std::size_t>(kMaxStrokes)) {
        return ::testing::AssertionFailure()
               << level.name() << ": holed out in " << result.putts.size() << " strokes";
    }
    if (!replayHolesOut(level, result.putts)) {
        return ::testing::AssertionFailure()
               << level.name() << ": the putts found do not hole out again:\n"
               << describe(result.putts);
    }
    return ::testing::AssertionSuccess();
}

class ShippedLevelsPlayableTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedLevelsPlayableTest, HolesOutInAtMostFiveStrokes) {
    Level level;
    ASSERT_EQ(loadLevelFile(GetParam(), level), LevelLoadResult::Loaded);
    EXPECT_TRUE(holesOutWithinFiveStrokes(level));
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = fs::path(info.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLevelsPlayableTest,
                         ::testing::ValuesIn(shippedLevelFiles()), testName);

// The check must be able to fail: the first shipped level with every block around its cup
// turned into wall, stored as a level file and read back, is refused.
TEST(ShippedLevelsPlayableCheckTest, RefusesAShippedLevelWithItsCupWalledIn) {
    const std::vector<std::string> files = shippedLevelFiles();
    ASSERT_FALSE(files.empty());
    Level level;
    ASSERT_EQ(loadLevelFile(files.front(), level), LevelLoadResult::Loaded);
    ASSERT_TRUE(holesOutWithinFiveStrokes(level)) << "the level as shipped is playable";

    std::vector<std::pair<int, int>> cups;
    for (int r = 0; r < level.height(); ++r) {
        for (int c = 0; c < level.width(); ++c) {
            if (level.block(c, r).holds(Cup)) {
                cups.emplace_back(c, r);
            }
        }
    }
    ASSERT_FALSE(cups.empty());
    for (const auto& [c, r] : cups) {
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                if (level.containsCell(c + dc, r + dr) && !level.block(c + dc, r + dr).holds(Cup)) {
                    level.block(c + dc, r + dr).fromText("S0T8");
                }
            }
        }
    }
    const TempFolder folder;
    Level walledIn;
    ASSERT_TRUE(
        loadLevelFile(folder.write("walled-in.lev", encodeArchiveString(level.toText())), walledIn) == LevelLoadResult::Loaded);
    EXPECT_FALSE(holesOutWithinFiveStrokes(walledIn));
}

}  // namespace
}  // namespace trundlex::testing
