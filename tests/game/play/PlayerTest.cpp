// A player's strokes and putt records.
#include <gtest/gtest.h>

#include "play/Player.h"

namespace trundlex::testing {
namespace {

TEST(PlayerTest, StrokesCountPerHoleAndHolesNotReachedAreZero) {
    Player player("A", 0, 0, false, Player::LocalConnection);
    EXPECT_TRUE(player.AddStroke(2));
    EXPECT_TRUE(player.AddStroke(2));
    EXPECT_TRUE(player.AddStroke(0));
    EXPECT_EQ((std::vector{player.StrokesOn(0), player.StrokesOn(1), player.StrokesOn(2),
                           player.StrokesOn(3)}),
              (std::vector<std::int32_t>{1, 0, 2, 0}));
    EXPECT_EQ(player.TotalStrokes(), 3);
}

// Regression: a stroke on hole -1 (a putt before the first hole) wrote before the list.
TEST(PlayerTest, NothingIsCountedBeforeTheFirstHole) {
    Player player("A", 0, 0, false, Player::LocalConnection);
    EXPECT_FALSE(player.AddStroke(-1));
    EXPECT_FALSE(player.RecordPutt(5.0, 1.0, -1));
    EXPECT_EQ(player.StrokesOn(-1), 0);
    EXPECT_EQ(player.TotalStrokes(), 0);
    EXPECT_EQ(player.PuttCount(), 0);
    EXPECT_EQ(player.GetPutt(-1), nullptr);
}

}  // namespace
}  // namespace trundlex::testing
