// The ghost of the best round: kept when a course is finished, and putted again beside the
// next round on it, to the bit where the ball went.
#include <cmath>

#include "ControllerFixture.h"
#include "library/GhostStore.h"

namespace trundlex::testing {
namespace {

const double kPi = std::acos(-1.0);

// A pond below the straight line to the cup: a putt into it puts the ball back where it
// was putted from.
const std::vector<std::string_view> kPond = {
    "##########", "#........#", "#........#", "#.......O#",
    "#...~~...#", "#...~~...#", "##########",
};
// From the pond level's start, into the pond.
const double kIntoThePond = std::atan2(1.5, 3.0);

struct Spot {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Spot&, const Spot&) = default;
};

class GhostTest : public ControllerTest {
protected:
    void SetUp() override {
        addLevel("room", kRoom, 2.5, 2.5);
        addLevel("pond", kPond, 1.5, 3.5);
        context_.ghosts = &ghosts_;
    }

    void start(std::vector<const char*> people,
               std::vector<const char*> levels = {"room", "pond"}) {
        std::vector<std::pair<const char*, ComputerStrength>> players;
        for (const char* name : people) {
            players.emplace_back(name, ComputerStrength::Person);
        }
        endReplay();
        game().startMatch(setupOf(players, levels, "course-g"));
    }

    // "Play again" on the results.
    void playAgain() {
        endReplay();
        game().restart();
    }

    // The last match's closing replay stops, or its last stop would come in the middle of
    // the next match, as no player could putt that fast.
    void endReplay() {
        game().stopHighlight();
        game().stopReplay();
        loop_.runPending();
    }

    void awaitAiming() {
        ASSERT_TRUE(loop_.runUntil([&] { return game().state() == Aiming; }));
    }

    Spot ballNow() {
        const Ball& ball = game().currentPlayer()->GetBall();
        return {ball.GetX(), ball.GetY()};
    }

    // Putts the player who aims now and returns where the ball lay before the putt.
    Spot puttFrom(double heading, double speed) {
        const Spot before = ballNow();
        game().putt(heading, speed);
        return before;
    }

    // Towards the cup from wherever the ball lies, a little harder each time, until the hole
    // is over; where the ball lay before each putt, in order.
    std::vector<Spot> holeOut(int hole, double cupX, double cupY) {
        std::vector<Spot> spots;
        for (int stroke = 0;
             game().match().GetHole() == hole && !game().match().IsOver() && stroke < 8; ++stroke) {
            awaitAiming();
            const Spot at = ballNow();
            spots.push_back(puttFrom(std::atan2(cupY - at.y, cupX - at.x), 1.6 + 0.5 * stroke));
            loop_.runUntil([&] { return game().state() != Rolling; });
        }
        return spots;
    }

    GhostStore ghosts_;
};

TEST_F(GhostTest, TheRoundOfAFinishedCourseIsKeptAndPuttedAgainWhereTheBallWent) {
    start({"Ann"});
    awaitAiming();
    EXPECT_FALSE(game().hasGhost()) << "nothing finished here yet";
    // The room: a weak putt away from the cup, then in. The pond: into the water first.
    std::vector<Spot> room{puttFrom(kPi / 2, 0.6)};
    for (const Spot& s : holeOut(0, 5.5, 2.5)) {
        room.push_back(s);
    }
    awaitAiming();
    std::vector<Spot> pond{puttFrom(kIntoThePond, 2.2)};
    for (const Spot& s : holeOut(1, 8.5, 3.5)) {
        pond.push_back(s);
    }
    ASSERT_TRUE(loop_.runUntil([&] { return game().match().IsOver(); }));
    ASSERT_GE(room.size(), 2u);
    EXPECT_EQ(pond[1], pond[0]) << "the water put the ball back";
    EXPECT_TRUE(view_.ghostsShown.empty());
    const GhostRound* kept = ghosts_.find("course-g");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->score, game().match().GetPlayer(0)->TotalStrokes());

    // The second round: Ann dawdles on the room with putts too weak to reach the cup, and
    // the ghost putts each of the first round's putts beside hers.
    playAgain();
    EXPECT_TRUE(game().hasGhost());
    EXPECT_TRUE(game().ghostOn()) << "on by default for one player";
    for (std::size_t stroke = 0; stroke <= room.size(); ++stroke) {
        awaitAiming();
        if (stroke == room.size()) {
            EXPECT_FALSE(view_.ghost) << "the ghost is in the cup";
            break;
        }
        ASSERT_TRUE(view_.ghost) << stroke;
        EXPECT_EQ((Spot{view_.ghost->start.x, view_.ghost->start.y}), room[stroke]);
        puttFrom(kPi, 0.2);
        ASSERT_EQ(view_.ghostPutted.size(), stroke + 1);
        const GhostShot& shot = view_.ghostPutted.back();
        const bool last = stroke + 1 == room.size();
        EXPECT_EQ(shot.holed, last) << stroke;
        if (!last) {
            EXPECT_EQ((Spot{shot.frames.back().x, shot.frames.back().y}), room[stroke + 1])
                << "the ghost rests where the ball rested, stroke " << stroke + 1;
        }
    }
    holeOut(0, 5.5, 2.5);
    awaitAiming();
    ASSERT_TRUE(view_.ghost) << "the next hole has its own ghost";
    EXPECT_EQ((Spot{view_.ghost->start.x, view_.ghost->start.y}), pond[0]);
    const GhostShot splash = *view_.ghost;
    EXPECT_FALSE(splash.holed);
    EXPECT_EQ((Spot{splash.frames.back().x, splash.frames.back().y}), pond[0])
        << "into the water and back, as the ball did";
}

TEST_F(GhostTest, AWorseRoundKeepsTheBestAndSeveralPeopleTurnTheGhostOnThemselves) {
    start({"Ann"});
    holeOut(0, 5.5, 2.5);
    holeOut(1, 8.5, 3.5);
    ASSERT_TRUE(loop_.runUntil([&] { return game().match().IsOver(); }));
    const GhostRound best = *ghosts_.find("course-g");

    // The same putts, and one into the water that puts the ball back where it was.
    start({"Ann"});
    holeOut(0, 5.5, 2.5);
    awaitAiming();
    puttFrom(kIntoThePond, 2.2);
    holeOut(1, 8.5, 3.5);
    ASSERT_TRUE(loop_.runUntil([&] { return game().match().IsOver(); }));
    EXPECT_GT(game().match().GetPlayer(0)->TotalStrokes(), best.score);
    EXPECT_EQ(*ghosts_.find("course-g"), best);

    start({"Ann", "Bob"});
    awaitAiming();
    EXPECT_TRUE(game().hasGhost());
    EXPECT_FALSE(game().ghostOn()) << "whose round would it be?";
    EXPECT_FALSE(view_.ghost);
    game().setGhostOn(true);
    EXPECT_TRUE(view_.ghost) << "shown at once to the player aiming";
    EXPECT_TRUE(settings_.ghost()) << "a choice for this game only";

    start({"Ann"});
    awaitAiming();
    game().setGhostOn(false);
    EXPECT_FALSE(view_.ghost);
    EXPECT_FALSE(settings_.ghost()) << "remembered for games of one player";
    start({"Ann"});
    awaitAiming();
    EXPECT_FALSE(game().ghostOn());
    EXPECT_FALSE(view_.ghost);

    settings_.setGhost(true);
    start({"Ann"}, {"pond", "room"});
    awaitAiming();
    EXPECT_FALSE(game().hasGhost()) << "the course's levels changed since";
}

TEST_F(GhostTest, ComputersLeaveNoGhostAndAGameWithoutACourseNoneEither) {
    game().startMatch(setupOf({{"Robo", ComputerStrength::Hard}}, {"room"}, "course-g"));
    ASSERT_TRUE(playUntil([&] { return game().match().IsOver(); }));
    EXPECT_EQ(ghosts_.find("course-g"), nullptr);

    game().startMatch(setupOf({{"Ann", ComputerStrength::Person}}, {"room"}));
    holeOut(0, 5.5, 2.5);
    ASSERT_TRUE(loop_.runUntil([&] { return game().match().IsOver(); }));
    EXPECT_EQ(ghosts_.size(), 0u);
}

}  // namespace
}  // namespace trundlex::testing
