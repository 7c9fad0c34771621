// What the controller tells the players about a game: whose turn it is and the banners after
// a putt (the score against par, water, the edge, the stroke limit).
#include <cmath>

#include "ControllerFixture.h"

namespace trundlex::testing {
namespace {

const double kPi = std::acos(-1.0);

TEST(HoleOutBanner, NamesTheScoreAgainstPar) {
    struct Case {
        int strokes, par;
        BannerKind kind;
        int count;
    };
    const Case cases[] = {
        {1, 3, BannerKind::HoleInOne, 1},   {1, 0, BannerKind::HoleInOne, 1},
        {2, 6, BannerKind::UnderPar, 4},    {2, 5, BannerKind::Albatross, 3},
        {2, 4, BannerKind::Eagle, 2},       {2, 3, BannerKind::Birdie, 1},
        {3, 3, BannerKind::Par, 0},         {4, 3, BannerKind::Bogey, 1},
        {5, 3, BannerKind::DoubleBogey, 2}, {7, 2, BannerKind::OverPar, 5},
        {4, 0, BannerKind::HoledOut, 4},
    };
    for (const Case& c : cases) {
        const Banner banner = holeOutBanner(c.strokes, c.par);
        EXPECT_EQ(banner.kind, c.kind) << c.strokes << " on par " << c.par;
        EXPECT_EQ(banner.count, c.count) << c.strokes << " on par " << c.par;
        EXPECT_FALSE(banner.sound.empty());
    }
}

// Water on the left, the level's edge on the right, no walls.
const std::vector<std::string_view> kPond = {"~~......", "~~......", "~~......"};

class FeedbackTest : public ControllerTest {
protected:
    void SetUp() override { addLevel("pond", kPond, 4.5, 1.5); }

    void start(const std::vector<std::pair<const char*, ComputerStrength>>& players) {
        game().startMatch(setupOf(players, {"pond"}));
    }
    // Putts and lets the ball stop; the banner, if any, is then showing.
    void puttAndStop(double heading, double speed) {
        const int before = game().currentPlayer()->PuttCount();
        game().putt(heading, speed);
        ASSERT_EQ(game().currentPlayer()->PuttCount(), before + 1);
        ASSERT_TRUE(loop_.runUntil([&] { return game().state() != Rolling || clock_.pendingTimers() > 0; }));
    }
};

TEST_F(FeedbackTest, WaterAndTheEdgeAreAnnouncedAndHoldTheNextTurnUnderASecond) {
    view_.rollAtNormalSpeed();
    start({{"Ann", ComputerStrength::Person}});
    puttAndStop(kPi, 3.0);
    ASSERT_EQ(view_.banners.size(), 1u);
    EXPECT_EQ(view_.banners[0].kind, BannerKind::Water);
    clock_.advance(500);
    EXPECT_EQ(game().state(), Rolling) << "the banner is still showing";
    clock_.advance(500);
    ASSERT_EQ(game().state(), Aiming) << "the next turn within a second";
    puttAndStop(0.0, 6.0);
    EXPECT_EQ(view_.banners.size(), 1u) << "the edge sends the ball back like a wall";
    // Unless one sub-step carries the ball from clear of the bottom edge to beyond it.
    clock_.advance(1000);
    puttAndStop(kPi / 2, 76.0);
    ASSERT_EQ(view_.banners.size(), 2u);
    EXPECT_EQ(view_.banners[1].kind, BannerKind::OutOfBounds);
}

TEST_F(FeedbackTest, AFastOrFastForwardedPuttHasNoPauseButALostBallIsStillTold) {
    start({{"Ann", ComputerStrength::Person}});
    puttAndStop(kPi / 2, 0.3);
    EXPECT_TRUE(view_.banners.empty()) << "a fast putt that stays on the grass";
    EXPECT_EQ(game().state(), Aiming);
    puttAndStop(kPi, 3.0);
    ASSERT_EQ(view_.banners.size(), 1u) << "a fast putt into the water";
    EXPECT_EQ(view_.banners[0].kind, BannerKind::Water);
    EXPECT_EQ(game().state(), Aiming) << "and no pause";
    view_.rollAtNormalSpeed();
    game().putt(kPi, 3.0);
    game().hurry();
    ASSERT_TRUE(loop_.runUntil([&] { return game().state() == Aiming; }));
    ASSERT_EQ(view_.banners.size(), 2u) << "Space pressed during the roll into the water";
    EXPECT_EQ(view_.banners[1].kind, BannerKind::Water);
    EXPECT_EQ(clock_.pendingTimers(), 0u) << "the next turn did not wait for it";
}

TEST_F(FeedbackTest, AReplayOfAPuttIntoTheWaterSaysSoAndOneOnTheGrassDoesNot) {
    view_.rollAtNormalSpeed();
    start({{"Ann", ComputerStrength::Person}});
    puttAndStop(kPi / 2, 0.3);
    clock_.advance(1000);
    puttAndStop(kPi, 3.0);
    clock_.advance(1000);
    ASSERT_EQ(game().state(), Aiming);
    view_.banners.clear();
    ASSERT_TRUE(game().runReplay(0, 0));
    ASSERT_TRUE(loop_.runUntil([&] { return !game().currentBall()->IsRunning(); }));
    EXPECT_TRUE(view_.banners.empty());
    ASSERT_TRUE(game().runReplay(0, 1));
    ASSERT_TRUE(loop_.runUntil([&] { return !view_.banners.empty(); }));
    EXPECT_EQ(view_.banners[0].kind, BannerKind::Water);
    game().stopReplay();
    EXPECT_EQ(game().state(), Aiming) << "the game goes on";
}

TEST_F(FeedbackTest, TheStrokeLimitIsAnnouncedWithTheScoreItGives) {
    view_.rollAtNormalSpeed();
    start({{"Ann", ComputerStrength::Person}});
    for (int stroke = 1; stroke <= Player::StrokeLimit; ++stroke) {
        EXPECT_TRUE(view_.banners.empty()) << "short putts on grass, stroke " << stroke;
        puttAndStop(kPi / 2, 0.3);
    }
    ASSERT_EQ(view_.banners.size(), 1u);
    EXPECT_EQ(view_.banners[0], strokeLimitBanner());
    EXPECT_EQ(view_.banners[0].count, 8);
    ASSERT_TRUE(playUntil([&] { return game().match().IsOver(); }));
    EXPECT_EQ(strokes(0, 0), 8);
    // Once the match is over the status line must stop naming the last player.
    EXPECT_EQ(view_.turns.back().kind, TurnKind::Nobody);
    EXPECT_EQ(game().turnInfo().kind, TurnKind::Nobody);
}

// The cheer for a hole in one used to stop the cup's sound half-way.
TEST_F(FeedbackTest, TheBannersTuneLetsTheCupSoundRingOut) {
    struct Speakers : SoundPlayer {  // a sound played silences the others, one played along not
        void play(std::string_view file) override { audible.assign(1, std::string(file)); }
        void playAlong(std::string_view file) override { audible.emplace_back(file); }
        std::vector<std::string> audible;
    } speakers;
    context_.sound = &speakers;
    settings_.setSound(true);
    addLevel("room", kRoom, 3.5, 2.5);
    view_.rollAtNormalSpeed();
    game().startMatch(setupOf({{"Ann", ComputerStrength::Person}}, {"room"}));
    puttAndStop(0.0, 2.0);
    ASSERT_EQ(view_.banners.size(), 1u);
    EXPECT_EQ(speakers.audible, (std::vector<std::string>{std::string(SoundInCup),
                                                          std::string(view_.banners[0].sound)}));
}

TEST_F(FeedbackTest, TheTurnSaysWhoPlaysAndWhetherThisComputerMay) {
    Match setup = setupOf({{"Ann", ComputerStrength::Person}, {"Robo", ComputerStrength::Easy}},
                          {"pond"});
    setup.AddPlayer("Bert", 0x00E6E6E6, 0, false, 7);  // on another computer
    game().startMatch(setup);
    ASSERT_EQ(view_.turns.size(), 1u);
    EXPECT_EQ(view_.turns[0].kind, TurnKind::Here);
    EXPECT_EQ(view_.turns[0].name, "Ann");
    EXPECT_TRUE(view_.turns[0].playableHere());
    game().putt(kPi / 2, 0.3);
    ASSERT_TRUE(playUntil([&] { return view_.turns.size() == 3; }));
    EXPECT_EQ(view_.turns[1].kind, TurnKind::Computer);
    EXPECT_FALSE(view_.turns[1].playableHere());
    EXPECT_EQ(view_.turns[2].kind, TurnKind::Remote);
    EXPECT_EQ(view_.turns[2].name, "Bert");
    EXPECT_EQ(view_.turns[2].address, "") << "not connected: no address known";
    EXPECT_FALSE(game().turnInfo().playableHere());
    EXPECT_EQ(game().state(), WaitingForRemote);
}

}  // namespace
}  // namespace trundlex::testing
