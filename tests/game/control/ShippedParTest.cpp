// The pars of shipped levels come from the table that ships with them, at once and without a
// thread; the par of any other level (the user's own, or a shipped one edited) is still worked
// out in the background.
#include "ControllerFixture.h"
#include "control/ParWorker.h"
#include "solver/Par.h"

namespace trundlex::testing {
namespace {

// The par the solver finds on kRoom from (3.5, 2.5): a putt to the right drops.
constexpr int kRoomPar = 1;
// What the shipped table says for "shipped": no solver would find it on kRoom, so a 5 can only
// have come from the table.
constexpr int kShippedPar = 5;

class ShippedParTest : public ControllerTest {
protected:
    void SetUp() override {
        addLevel("shipped", kRoom, 3.5, 2.5);
        addLevel("own", kRoom, 3.5, 2.5);
        ShippedPars table;
        ASSERT_TRUE(table.add(levelOf("shipped"), kShippedPar));
        cache_ = std::make_unique<ParCache>("", table);
        context_.pars = cache_.get();
    }

    Level levelOf(const std::string& id) const { return levels_.at(levels_.findById(id)); }

    // Starts a match of one person on these holes.
    void play(const std::vector<const char*>& holes) {
        game().startMatch(setupOf({{"Ann", ComputerStrength::Person}}, holes));
    }

    std::unique_ptr<ParCache> cache_;
};

TEST_F(ShippedParTest, WorkerReportsShippedParsBeforeReturningAndStartsNoThreadForThem) {
    ParWorker worker(*cache_, loop_);
    std::vector<std::pair<int, int>> found;
    const auto record = [&found](int index, int par) { found.emplace_back(index, par); };

    EXPECT_EQ(worker.start({levelOf("shipped"), levelOf("shipped")}, record), 0u)
        << "nothing left for a thread";
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{0, kShippedPar}, {1, kShippedPar}}));

    found.clear();
    EXPECT_EQ(worker.start({levelOf("own"), levelOf("shipped")}, record), 1u)
        << "the user's own level is worked out";
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{1, kShippedPar}})) << "before returning";
    ASSERT_TRUE(loop_.runUntil([&] { return found.size() == 2; }));
    EXPECT_EQ(found.back(), (std::pair<int, int>{0, kRoomPar}));
}

TEST_F(ShippedParTest, AShippedLevelEditedSinceIsWorkedOutAgain) {
    ParWorker worker(*cache_, loop_);
    Level edited = levelOf("shipped");
    edited.setStart(2.5, 2.5);  // two blocks from the cup, still par 1
    std::vector<std::pair<int, int>> found;
    EXPECT_EQ(worker.start({edited}, [&](int index, int par) { found.emplace_back(index, par); }),
              1u);
    EXPECT_TRUE(found.empty()) << "the shipped par is not the edited level's";
    ASSERT_TRUE(loop_.runUntil([&] { return !found.empty(); }));
    EXPECT_EQ(found.front(), (std::pair<int, int>{0, kRoomPar}));
}

TEST_F(ShippedParTest, TheScoreBoardHasAShippedParAsSoonAsTheMatchStarts) {
    play({"shipped", "own", "shipped"});
    // No loop has run yet: whatever is known now came without background work.
    EXPECT_EQ(view_.pars, (std::vector<std::pair<int, int>>{{0, kShippedPar}, {2, kShippedPar}}));
    ASSERT_TRUE(loop_.runUntil([&] { return view_.pars.size() == 3; }));
    EXPECT_EQ(view_.pars.back(), (std::pair<int, int>{1, kRoomPar}));
}

}  // namespace
}  // namespace trundlex::testing
