// The par table that ships beside the levels (resources/levels/pars.txt) must hold what the
// solver finds today: every shipped level's par is worked out again here and compared. A level
// or a solver changed without scripts/update-shipped-pars.sh fails here, instead of showing
// players a par that the game would no longer work out.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/FolderWalker.h"
#include "solver/HoleRates.h"
#include "solver/Par.h"
#include "solver/ShippedPars.h"

namespace trundlex::testing {
namespace {

const std::string kLevels = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/levels";

std::vector<std::string> shippedLevelFiles() {
    std::vector<std::string> files;
    FolderWalker("lev").walk(kLevels, true,
                             [&files](const std::string& path) { files.push_back(path); });
    return files;
}

const ShippedPars& shippedTable() {
    static const ShippedPars table = [] {
        ShippedPars read;
        EXPECT_EQ(read.load(kLevels + "/pars.txt"), ShippedPars::ReadResult::Read)
            << "run scripts/update-shipped-pars.sh";
        return read;
    }();
    return table;
}

class ShippedParTableTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedParTableTest, HoldsTheParTheSolverFinds) {
    Level level;
    ASSERT_EQ(loadLevelFile(GetParam(), level), LevelLoadResult::Loaded);
    const std::optional<int> shipped = shippedTable().lookup(level);
    ASSERT_TRUE(shipped) << level.name() << " (" << level.id()
                         << ") is not in the table as it is now: run "
                            "scripts/update-shipped-pars.sh";
    EXPECT_EQ(*shipped, computePar(level))
        << level.name() << ": run scripts/update-shipped-pars.sh";
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedParTableTest, ::testing::ValuesIn(shippedLevelFiles()),
                         testName);

// A line for a level that no longer ships would only cost bytes, but it also tells of a table
// made from another set of levels.
TEST(ShippedParTableContentTest, NamesNoLevelThatDoesNotShip) {
    std::set<std::string> ids;
    for (const std::string& file : shippedLevelFiles()) {
        Level level;
        ASSERT_EQ(loadLevelFile(file, level), LevelLoadResult::Loaded) << file;
        EXPECT_TRUE(ids.insert(level.id()).second) << file << ": a level ID shipped twice";
    }
    EXPECT_FALSE(ids.empty());
    EXPECT_EQ(shippedTable().size(), ids.size());
}

// The course pickers' labels read how tight each hole's par is from rates.txt: every shipped
// level with a par has its rate there for its blocks as they are, and the rates are the ones
// the par's trials give (checked on a few levels: playing every trial of every level out
// takes minutes).
TEST(ShippedParTableContentTest, TheHoleRatesBelongToTheShippedLevelsAndTheirPars) {
    HoleRates rates;
    ASSERT_EQ(rates.load(kLevels + "/rates.txt"), HoleRates::ReadResult::Read)
        << "run scripts/update-shipped-pars.sh";
    int checked = 0;
    for (const std::string& file : shippedLevelFiles()) {
        Level level;
        ASSERT_EQ(loadLevelFile(file, level), LevelLoadResult::Loaded) << file;
        const int par = shippedTable().lookup(level).value_or(0);
        if (par < 1) {
            continue;
        }
        const std::optional<double> rate = rates.lookup(level);
        ASSERT_TRUE(rate) << level.name() << ": run scripts/update-shipped-pars.sh";
        if (par < ParStrokeLimit) {
            // (Par 7 is also given to a level most trials never finish.)
            EXPECT_GE(*rate, 0.5) << level.name() << ": half the trials make par at least";
        }
        // Every eighth level, by file name.
        if (checked++ % 8 == 0) {
            const std::optional<double> again = computeHoleRate(level, par);
            ASSERT_TRUE(again);
            EXPECT_EQ(std::lround(*again * 100), std::lround(*rate * 100)) << level.name();
        }
    }
    EXPECT_EQ(rates.size(), static_cast<std::size_t>(checked)) << "no rate for a level that is gone";
}

}  // namespace
}  // namespace trundlex::testing
