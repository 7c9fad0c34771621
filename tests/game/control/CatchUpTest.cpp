// A computer back in a room's running game rolls the putts it missed, unseen, and stands
// where a computer that saw them all stands: same hole, same strokes, same balls, same turn.
#include "game/control/ControllerFixture.h"
#include "game/net/NetTestSupport.h"
#include "net/NetProtocol.h"
#include "net/RoomProtocol.h"

namespace trundlex::testing {
namespace {

// Where a match stands, as far as anybody could see a difference.
struct Standing {
    int hole = 0;
    std::vector<std::vector<int>> strokes;
    std::vector<std::pair<double, double>> balls;
    std::string turn;

    bool operator==(const Standing&) const = default;
};

Standing standingOf(GameController& game) {
    auto lock = game.net().lock();
    Standing s;
    const Match& match = game.match();
    s.hole = match.GetHole();
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *game.match().GetPlayer(i);
        std::vector<int> perHole;
        for (int hole = 0; hole < match.LevelCount(); ++hole) {
            perHole.push_back(player.StrokesOn(hole));
        }
        s.strokes.push_back(perHole);
        s.balls.emplace_back(player.GetBall().GetX(), player.GetBall().GetY());
    }
    s.turn = game.currentPlayer() != nullptr ? game.currentPlayer()->GetName() : "";
    return s;
}

std::ostream& operator<<(std::ostream& out, const Standing& s) {
    out << "hole " << s.hole + 1 << ", turn " << s.turn << ",";
    for (std::size_t i = 0; i < s.strokes.size(); ++i) {
        out << " [";
        for (const int n : s.strokes[i]) {
            out << n << " ";
        }
        out << "at " << s.balls[i].first << "," << s.balls[i].second << "]";
    }
    return out;
}

class CatchUpTest : public ControllerTest {
protected:
    void SetUp() override {
        addLevel("r1", kRoom, 3.5, 2.5);
        addLevel("r2", kRoom, 2.5, 1.5);
    }
    void TearDown() override { controller_.reset(); }

    bool pumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i) {
            loop_.runUntil(done, std::chrono::milliseconds(10));
        }
        return done();
    }
    // The next message with `letter` from the game, letting the game's events run meanwhile
    // (its network thread goes on only once they have been handled).
    std::optional<std::string> fromGame(RawPeer& game, char letter) {
        for (int i = 0; i < 500; ++i) {
            loop_.runUntil([] { return false; }, std::chrono::milliseconds(10));
            while (const auto message = game.receive(std::chrono::milliseconds(10))) {
                if (message->letter == letter) {
                    return message->body;
                }
            }
        }
        return std::nullopt;
    }

    // Ann and Bo take these putts (speed, heading) in turn on this computer alone.
    Standing playedLive(const std::vector<std::pair<double, double>>& putts) {
        game().startMatch(setupOf({{"Ann", ComputerStrength::Person},
                                   {"Bo", ComputerStrength::Person}},
                                  {"r1", "r2"}));
        for (const auto& [speed, heading] : putts) {
            EXPECT_EQ(game().state(), Aiming);
            game().putt(heading, speed);
            EXPECT_TRUE(playUntil([&] { return game().state() == Aiming; }));
        }
        return standingOf(game());
    }
};

TEST_F(CatchUpTest, AComputerBackInARunningGameStandsWhereTheOthersStand) {
    // Both in the cup at once, then short and long, off the walls, on the second hole.
    const std::vector<std::pair<double, double>> putts = {
        {3.0, 0.0}, {3.0, 0.0}, {0.8, 0.0}, {1.5, 3.0}, {2.5, 0.25}, {0.5, 4.0}, {2.0, 0.0},
        {1.25, 2.5}};
    const Standing live = playedLive(putts);
    ASSERT_EQ(live.hole, 1) << "the putts reach the second hole: " << live;
    view_.statuses.clear();
    view_.rolls = 0;

    // Bo's program (the same controller, now without a game) comes back to a room host that
    // has seen every putt.
    RawServer host;
    game().prepareNetworkGame(setupOf({{"Bo", ComputerStrength::Person}}, {}), 3);
    roomproto::Request rejoin;
    rejoin.kind = roomproto::Request::Kind::Rejoin;
    rejoin.code = "K7QX2M";
    rejoin.token = "ABCDEFGHJKMNPQRSTUVW";
    ASSERT_TRUE(game().net().startRoomClient(Loopback, host.port(), rejoin, nullptr));
    RawPeer bo = host.accept();
    bo.send("H" + std::string(netproto::Version));
    EXPECT_EQ(fromGame(bo, roomproto::Letter).value_or(""), "K7QX2M|ABCDEFGHJKMNPQRSTUVW");
    bo.sendEach({"WK7QX2M|Room Two|", "W+ABCDEFGHJKMNPQRSTUVW"});
    ASSERT_TRUE(fromGame(bo, netproto::Hello));
    bo.sendEach({"OAnn|16711680|1|0|0|Bo|65280|1|0|1|", "C2", "Ir1", "Ir2"});
    ASSERT_TRUE(fromGame(bo, netproto::Ready)) << "the game holds both levels";

    std::vector<std::string> bodies;
    for (auto [speed, heading] : putts) {
        bodies.push_back(netproto::encodePutt(speed, heading));
    }
    bo.sendEach({"OAnn|16711680|1|0|0|Bo|65280|1|0|1|", "G",
                 "W" + roomproto::encodeCatchUp(bodies), "S"});
    ASSERT_TRUE(fromGame(bo, netproto::Confirm));
    game().lobbyEnded(true);
    ASSERT_TRUE(pumpUntil([&] {
        return game().state() == Aiming || game().state() == WaitingForRemote;
    }));
    EXPECT_EQ(standingOf(game()), live);
    EXPECT_EQ(game().state(), live.turn == "Bo" ? Aiming : WaitingForRemote)
        << "the turn is played where its player is";
    EXPECT_EQ(view_.rolls, 0) << "nothing of the catch-up was shown rolling";
    EXPECT_NE(std::find(view_.statuses.begin(), view_.statuses.end(), "hole 2"),
              view_.statuses.end())
        << "the view shows the hole the game is on";
}

}  // namespace
}  // namespace trundlex::testing
