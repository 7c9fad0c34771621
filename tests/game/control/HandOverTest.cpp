// The players of a computer that leaves a network game are played by this computer's
// computer, with nobody acting here, until this computer's person takes them over.
#include "game/control/ControllerFixture.h"
#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

// The controller has no players of its own; the peer, a bare network game on loopback, has
// Bert, who has the first turn. Either of them is the server.
class HandOverTest : public ControllerTest {
protected:
    void TearDown() override { controller_.reset(); }

    // Runs the controller's side until `done` holds, for at most 20 s.
    bool pumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i) {
            loop_.runUntil(done, std::chrono::milliseconds(10));
        }
        return done();
    }

    // Starts the game and waits until Bert has the turn, played on the peer.
    void startWithPeer(bool controllerServes) {
        levels_.add(testLevel("h1"));
        Match setup;
        setup.AddLevel("h1");
        NetGame& net = game().net();
        recorder.attach(net);
        net.addListener(&recorder);
        NetGame& server = controllerServes ? net : peer.net;
        if (controllerServes) {
            peer.addLevels({"h1"}, false);
            game().prepareNetworkGame(setup, 1);
            ASSERT_TRUE(net.startServer(0, nullptr, Loopback));
            peer.join(net.listeningPort());
        } else {
            peer.addLevels({"h1"}, true);
            const std::uint16_t port = peer.serve();
            game().prepareNetworkGame(setup, 2);
            ASSERT_TRUE(net.startClient(Loopback, port, nullptr));
        }
        bool started = false;
        ASSERT_TRUE(pumpUntil([&] {
            return started || (started = server.connectionCount() == 1 && server.startHandshake());
        }));
        ASSERT_TRUE(pumpUntil([&] { return game().state() == WaitingForRemote; }));
    }
    Player& bert() { return *game().match().GetPlayer(0); }

    Computer peer{{"Bert"}};
    RecordingListener recorder;
};

// The controller serves (the computer stands in at the strength a new game starts with) or
// is the client (at a strength chosen in the wizard).
class DepartedPeerTest : public HandOverTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DepartedPeerTest, TheComputerPuttsForThePlayersOfAComputerThatLeft) {
    const bool controllerServes = GetParam();
    const ComputerStrength chosen =
        controllerServes ? ComputerStrength::Medium : ComputerStrength::Easy;
    if (!controllerServes) {
        context_.departedHand = chosen;
    }
    ASSERT_NO_FATAL_FAILURE(startWithPeer(controllerServes));
    peer.net.endGame();
    ASSERT_TRUE(playUntil([&] { return strokes(0, 0) >= 1; })) << "nobody putted for Bert";
    EXPECT_TRUE(bert().IsHandedOver());
    EXPECT_EQ(bert().GetComputer(), chosen);
    EXPECT_EQ(game().handedOverPlayers(), std::vector<int>{0});
    const NetEventData left = recorder.dataOf(NetDisconnectInfo);
    EXPECT_EQ(left.computerPlaysFor, "Bert") << "the chat names whom the computer plays";
    EXPECT_EQ(left.serverLost, !controllerServes);
}

INSTANTIATE_TEST_SUITE_P(BothRoles, DepartedPeerTest, ::testing::Bool());

TEST_F(HandOverTest, LeavingTheGameLeavesTheOthersPlayersToTheComputer) {
    context_.departedHand = ComputerStrength::Hard;
    ASSERT_NO_FATAL_FAILURE(startWithPeer(false));
    game().disconnect();
    ASSERT_TRUE(playUntil([&] { return strokes(0, 0) >= 1; })) << "nobody putted for Bert";
    EXPECT_TRUE(bert().IsHandedOver());
    EXPECT_EQ(bert().GetComputer(), ComputerStrength::Hard);
}

TEST_F(HandOverTest, ThePersonTakesAPlayerOverWhileTheComputerThinks) {
    ASSERT_NO_FATAL_FAILURE(startWithPeer(true));
    peer.net.endGame();
    ASSERT_TRUE(pumpUntil([&] { return game().state() == ComputerThinking; }));
    ASSERT_TRUE(game().playFor(0));
    EXPECT_EQ(game().state(), Aiming) << "Bert's turn waits for the mouse";
    EXPECT_FALSE(bert().IsComputer());
    EXPECT_TRUE(game().handedOverPlayers().empty());
    EXPECT_FALSE(game().playFor(0)) << "a person's player cannot be taken over";

    game().putt(3.14159, 0.6);
    ASSERT_TRUE(playUntil([&] { return strokes(0, 0) == 1 && game().state() == Aiming; }));
    EXPECT_EQ(view_.rolls, 1) << "the computer's putt, thought out before, was dropped";
}

TEST_F(HandOverTest, AGameWhoseHostStopsEndsWithTheResultsSoFarAndNoComputerCopies) {
    // Regression: every program played on alone against computer copies of the others when
    // the room host stopped mid-game.
    context_.departedHand = ComputerStrength::Hard;
    ASSERT_NO_FATAL_FAILURE(startWithPeer(false));
    peer.net.announceHostStop();
    peer.net.endGame();
    ASSERT_TRUE(pumpUntil([&] { return !view_.endings.empty(); })) << "the game did not end";
    EXPECT_EQ(game().state(), GameOver);
    EXPECT_TRUE(view_.endings.front().ends_with(" / ")) << "no high score for a broken game";
    EXPECT_FALSE(bert().IsComputer()) << "nobody plays on for Bert";
    EXPECT_TRUE(game().handedOverPlayers().empty());
    const NetEventData left = recorder.dataOf(NetDisconnectInfo);
    EXPECT_TRUE(left.hostStopped);
    EXPECT_TRUE(left.gameAbandoned);
    EXPECT_EQ(left.computerPlaysFor, "");
}

TEST_F(HandOverTest, AsServerTheGameTakesNoPuttFromAComputerWhosePlayerIsWaiting) {
    // Regression: a client could putt in another player's turn; every computer rolled it.
    levels_.add(testLevel("h1"));
    Match setup;
    setup.AddLevel("h1");
    setup.AddPlayer("Cid", 0x0000FF, 0, false, Player::LocalConnection);
    NetGame& net = game().net();
    peer.addLevels({"h1"}, false);
    game().prepareNetworkGame(setup, 1);
    ASSERT_TRUE(net.startServer(0, nullptr, Loopback));
    peer.join(net.listeningPort());
    bool started = false;
    ASSERT_TRUE(pumpUntil([&] {
        return started || (started = net.connectionCount() == 1 && net.startHandshake());
    }));
    ASSERT_TRUE(pumpUntil([&] { return game().state() == Aiming; })) << "Cid putts first";
    ASSERT_TRUE(peer.listener.waitFor(NetStart));

    double force = 3.0;
    double angle = 0.0;
    ASSERT_TRUE(peer.net.sendPutt(force, angle)) << "Bert's computer tries anyway";
    ASSERT_TRUE(pumpUntil([&] { return net.refusals().outOfTurn == 1; }));
    EXPECT_EQ(game().state(), Aiming) << "still Cid's turn";
    EXPECT_EQ(strokes(0, 0), 0);
    EXPECT_EQ(strokes(1, 0), 0);
}

}  // namespace
}  // namespace trundlex::testing
