// The shipped levels' hole rates: read strictly, given to a level only as it was when its rate
// was worked out, and worked out from the par's own trials.
#include "solver/HoleRates.h"

#include <gtest/gtest.h>

#include "solver/Par.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

Level levelOf(const std::vector<std::string_view>& rows, const std::string& id) {
    Level level = testing::asciiLevel(rows);
    level.setStart(1.5, 2.5);
    level.setId(id);
    return level;
}

const std::vector<std::string_view> kStraight = {"##########", "#........#", "#.......o#",
                                                 "#........#", "##########"};
// The cup behind a wall with a gap: a careful person needs more than one try at it.
const std::vector<std::string_view> kBehindWall = {"##########", "#....#...#", "#....#.o.#",
                                                   "#....#...#", "#........#", "##########"};

TEST(HoleRatesTest, ATableWrittenAndReadAgainGivesEachLevelItsRateForItsBlocksOnly) {
    const Level straight = levelOf(kStraight, "S1");
    const Level walled = levelOf(kBehindWall, "S2");
    HoleRates written;
    ASSERT_TRUE(written.add(straight, 0.875));
    ASSERT_TRUE(written.add(walled, 0.5));
    EXPECT_FALSE(written.add(straight, 1.5));
    EXPECT_FALSE(written.add(levelOf(kStraight, ""), 0.5)) << "an ID the text cannot hold";

    HoleRates read;
    ASSERT_TRUE(read.parse(written.toText()));
    EXPECT_EQ(read.size(), 2u);
    EXPECT_DOUBLE_EQ(read.lookup(straight).value_or(-1), 0.88) << "kept in whole percent";
    EXPECT_DOUBLE_EQ(read.lookup(walled).value_or(-1), 0.5);
    EXPECT_FALSE(read.lookup(levelOf(kBehindWall, "S1"))) << "the same ID, other blocks";
    EXPECT_FALSE(read.lookup(levelOf(kStraight, "S3")));
}

TEST(HoleRatesTest, ADamagedTableIsRefusedWhole) {
    const std::string header = std::string(HoleRates::Header) + "\n";
    const std::string good = "A\tff\t50\n";
    for (const std::string& text :
         {std::string(), std::string("trundlex hole rates 0\n") + good, header + "A\tff\t101\n",
          header + "A\tff\t-1\n", header + "A\tzz\t50\n", header + "A\tff\n", header + good + good,
          header + "A\tff\t50", header + "\tff\t50\n", header + "A\tff\t50 \n"}) {
        HoleRates rates;
        EXPECT_FALSE(rates.parse(text)) << text;
        EXPECT_EQ(rates.size(), 0u) << text;
    }
    HoleRates rates;
    EXPECT_TRUE(rates.parse(header + good));
    EXPECT_TRUE(rates.parse(header)) << "a table of no levels";
}

TEST(HoleRatesTest, TheRateIsTheShareOfTheParsTrialsWithinPar) {
    const Level walled = levelOf(kBehindWall, "S2");
    const int par = computePar(walled);
    ASSERT_GE(par, 2) << "a level that takes more than one try";
    const std::optional<double> rate = computeHoleRate(walled, par);
    ASSERT_TRUE(rate);
    EXPECT_GE(*rate, 0.5) << "the par is what at least half of its trials make";
    EXPECT_LE(*rate, 1.0);
    const std::optional<double> tighter = computeHoleRate(walled, par - 1);
    ASSERT_TRUE(tighter);
    EXPECT_LT(*tighter, 0.5) << "a stroke under par is made less than half of the time";
    EXPECT_EQ(computeHoleRate(walled, par), rate) << "the same trials each time";
    EXPECT_FALSE(computeHoleRate(walled, 0)) << "no par, no rate";
}

}  // namespace
}  // namespace trundlex
