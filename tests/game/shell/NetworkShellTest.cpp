// The network game as the windows see it: the chat box, and two game views, one the server
// and one a client, playing over loopback in one process.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

#include "ChatBox.h"
#include "GameShellFixture.h"
#include "LobbyDialog.h"

namespace trundlex::testing {
namespace {

const std::vector<std::string_view> kRoom = {
    "########", "#......#", "#....O.#", "#......#", "########",
};

TEST_F(GameShellTest, ChatBoxLinesBannersAndEndedGames) {
    NetGame net(levels_);
    ChatBox box(net);
    box.handleNetEvent(NetConnectionAdded);
    EXPECT_TRUE(box.history().startsWith(QStringLiteral("---"))) << "no empty line at the start";
    box.appendLine(QStringLiteral("Ann"), QStringLiteral("hello"));
    box.appendLine({}, QStringLiteral("plain"));
    box.handleNetEvent(NetConnectionAdded);
    const QStringList lines = box.history().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], QStringLiteral("Ann> hello"));
    EXPECT_EQ(lines[2], QStringLiteral("plain")) << "a line without a sender has no \"> \"";
    EXPECT_TRUE(lines[3].isEmpty()) << "later banners stand after an empty line";

    box.handleNetEvent(NetEnded);
    EXPECT_FALSE(box.sendButton()->isEnabled());
    EXPECT_FALSE(box.messageEdit()->isEnabled());
    box.handleNetEvent(NetConnectionAdded);
    EXPECT_TRUE(box.sendButton()->isEnabled());

    box.messageEdit()->setText(QStringLiteral("hi"));
    EXPECT_FALSE(box.send()) << "no name, nothing sent";
    box.setName(QStringLiteral("Bo"));
    EXPECT_TRUE(box.send());
    EXPECT_TRUE(box.history().endsWith(QStringLiteral("Bo> hi")));
    EXPECT_TRUE(box.messageEdit()->text().isEmpty());
}

// A game view whose lobby starts the role at once instead of showing a dialog.
class LoopbackView : public TestGameView {
public:
    using TestGameView::TestGameView;
    std::uint16_t serverPort = 0;

protected:
    bool runLobby(int mode) override {
        if (mode == 1) {
            return controller().net().startServer(0, nullptr, "127.0.0.1");
        }
        return controller().net().startClient("127.0.0.1", serverPort, nullptr);
    }
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(GameShellTest, TwoViewsPlayOverLoopbackAndTheClientGetsTheLevels) {
    addLevel("hole-a", kRoom, 3.5, 2.5);
    addLevel("hole-b", kRoom, 2.5, 2.5);
    // The client has no levels at all: both come from the server.
    LevelLibrary clientLevels("");
    CourseLibrary clientCourses("");
    HighScoreStore clientScores;
    GameContext clientContext{clientLevels, clientCourses, clientScores, {}, settings_,
                              random_,      nullptr,       "",           0};

    LoopbackView server(context_);
    LoopbackView client(clientContext);
    for (LoopbackView* view : {&server, &client}) {
        view->resize(900, 520);
        view->show();
    }
    Match serverSetup;
    serverSetup.AddPlayer("Ann", 0x0000FF00, 1, false, Player::LocalConnection);
    serverSetup.AddLevel("hole-a");
    serverSetup.AddLevel("hole-b");
    ASSERT_TRUE(server.startNetworkGame(serverSetup, 1));
    client.serverPort = server.controller().net().listeningPort();
    ASSERT_NE(client.serverPort, 0);
    Match clientSetup;
    clientSetup.AddPlayer("Bob", 0x000000FF, 2, false, Player::LocalConnection);
    ASSERT_TRUE(client.startNetworkGame(clientSetup, 2));

    ASSERT_TRUE(spinUntil([&] { return server.controller().net().connectionCount() == 1; }))
        << "the client never connected";
    ASSERT_TRUE(spinUntil([&] { return server.controller().net().startHandshake(); }))
        << "the client never became ready";
    ASSERT_TRUE(spinUntil([&] {
        return server.viewState() == Aiming && client.viewState() == WaitingForRemote;
    })) << "the game never started on both";
    EXPECT_EQ(clientLevels.count(), 2) << "the client fetched the levels it lacked";
    EXPECT_EQ(client.match().PlayerCount(), 2);
    EXPECT_TRUE(client.chatBox()->isVisible());

    // Ann putts on the server; the client rolls the same putt and both see the same end.
    server.putt(3.141592653589793 / 2, 1.0);
    ASSERT_TRUE(spinUntil([&] {
        return client.viewState() == Aiming && server.viewState() == WaitingForRemote;
    })) << "Bob's turn comes when every ball has stopped";
    const Ball& annOnServer = server.match().GetPlayer(0)->GetBall();
    const Ball& annOnClient = client.match().GetPlayer(0)->GetBall();
    EXPECT_TRUE(sameBits(annOnServer.GetX(), annOnClient.GetX()) &&
                sameBits(annOnServer.GetY(), annOnClient.GetY()));
    EXPECT_EQ(client.match().GetPlayer(0)->StrokesOn(0), 1);

    // A chat line from the client reaches the server's chat box.
    client.chatBox()->messageEdit()->setText(QStringLiteral("nice"));
    ASSERT_TRUE(client.chatBox()->send());
    ASSERT_TRUE(
        spinUntil([&] { return server.chatBox()->history().contains(QStringLiteral("> nice")); }));

    // The client leaves: the server plays on with Bob as a player of its own.
    client.controller().net().endGame();
    ASSERT_TRUE(spinUntil([&] { return !server.controller().net().isConnected(); }));
    EXPECT_TRUE(server.match().GetPlayer(1)->IsLocalPlayer());
}

}  // namespace
}  // namespace trundlex::testing

namespace trundlex::testing {
namespace {

// Plays a client by hand: joins with one player and reports what it hears.
struct BareListener : NetListener {
    std::atomic<int> started{0};
    void onNetEvent(NetEvent event) override {
        if (event == NetStart) {
            ++started;
        }
    }
};

TEST_F(GameShellTest, ServerLobbyListsTheClientAndStartsTheGame) {
    addLevel("hole-a", kRoom, 3.5, 2.5);
    Match hostMatch;
    hostMatch.AddPlayer("Host", 0x00FFFFFF, 0, false, Player::LocalConnection);
    hostMatch.AddLevel("hole-a");
    NetGame host(levels_);
    host.setMatch(&hostMatch);

    LevelLibrary guestLevels("");
    Match guestMatch;
    guestMatch.AddPlayer("Guest", 0x000000FF, 0, false, Player::LocalConnection);
    NetGame guest(guestLevels);
    guest.setMatch(&guestMatch);
    BareListener guestEvents;
    guest.addListener(&guestEvents);

    LobbyDialog lobby(host);
    QStringList seenPlayers;
    QStringList seenComputers;
    bool startWasEnabledAlone = false;
    // The lobby runs its own modal loop: the test acts from timers inside it.
    QTimer::singleShot(0, &lobby, [&] {
        startWasEnabledAlone = lobby.startButton()->isEnabled();
        guest.startClient("127.0.0.1", host.listeningPort(), nullptr);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &lobby, [&] {
        if (lobby.playerRows().size() == 2 && lobby.startButton()->isEnabled()) {
            seenPlayers = lobby.playerRows();
            seenComputers = lobby.computerRows();
            poll.stop();
            lobby.startButton()->click();
        }
    });
    poll.start(10);
    QTimer::singleShot(20000, &lobby, [&] { lobby.reject(); });
    EXPECT_TRUE(lobby.runServer(0)) << "the start handshake closes the lobby";
    EXPECT_TRUE(startWasEnabledAlone) << "a server with a player may start alone";
    EXPECT_EQ(seenPlayers, (QStringList{"Host *", "Guest"}));
    ASSERT_EQ(seenComputers.size(), 2);
    EXPECT_TRUE(seenComputers[0].startsWith(QStringLiteral("This computer\tHost")));
    EXPECT_TRUE(seenComputers[1].startsWith(QStringLiteral("127.0.0.1\tGuest\tReady")));
    EXPECT_TRUE(spinUntil([&] { return guestEvents.started.load() == 1; }));
    guest.clearListeners();
}

TEST_F(GameShellTest, LeavingTheLobbyEndsTheNetworkGame) {
    Match hostMatch;
    hostMatch.AddPlayer("Host", 0x00FFFFFF, 0, false, Player::LocalConnection);
    NetGame host(levels_);
    host.setMatch(&hostMatch);
    LobbyDialog lobby(host);
    QTimer::singleShot(0, &lobby, [&] { lobby.reject(); });
    EXPECT_FALSE(lobby.runServer(0));
    EXPECT_EQ(host.listeningPort(), 0) << "nobody can join a lobby that was left";
}

// A bare host's ears: it counts the rounds of stops and has its own ball of every putt that
// arrives stop at once (it follows no match).
struct StopCounter : NetListener {
    explicit StopCounter(NetGame& net) : net(net) {}
    NetGame& net;
    std::atomic<int> allStopped{0};
    void onNetEvent(NetEvent event) override {
        if (event == NetAllStopped) {
            ++allStopped;
        } else if (event == NetPutt) {
            net.localBallStopped();
        }
    }
};

// Regression: a putt that arrived after the end of the match still rolled the last player's
// ball, and the round of stops that followed announced the end a second time.
TEST_F(GameShellTest, PuttArrivingAfterTheMatchMovesNothingAndIsReportedStopped) {
    addLevel("hole-a", kRoom, 3.5, 2.5);
    Match hostMatch;
    hostMatch.AddPlayer("Host", 0x00FFFFFF, 0, false, Player::LocalConnection);
    hostMatch.AddLevel("hole-a");
    NetGame host(levels_);
    host.setMatch(&hostMatch);
    StopCounter hostEvents(host);
    host.addListener(&hostEvents);
    ASSERT_TRUE(host.startServer(0, nullptr, "127.0.0.1"));

    LevelLibrary guestLevels("");
    CourseLibrary guestCourses("");
    HighScoreStore guestScores;
    GameContext guestContext{guestLevels, guestCourses, guestScores, {}, settings_,
                             random_,     nullptr,      "",          0};
    LoopbackView guest(guestContext);
    guest.resize(900, 520);
    guest.show();
    guest.serverPort = host.listeningPort();
    // Every roll at once, so the match takes no longer than its messages.
    guest.action(GameCommand::LockSpeed)->trigger();
    guest.setSpeedMode(Fastest);
    Match guestSetup;
    guestSetup.AddPlayer("Guest", 0x000000FF, 2, false, Player::LocalConnection);
    ASSERT_TRUE(guest.startNetworkGame(guestSetup, 2));
    // Without clients the handshake would start at once: wait for the guest first.
    ASSERT_TRUE(spinUntil([&] { return host.connectionCount() == 1; }));
    ASSERT_TRUE(spinUntil([&] { return host.startHandshake(); })) << "the guest never got ready";

    // Both play straight at the cup until the match is over: the guest through its view, the
    // host by sending its putts (the view rolls them) and reporting its own ball stopped.
    const auto towardsCup = [&](double& force, double& heading) {
        auto lock = guest.controller().net().lock();
        const Ball* ball = guest.currentBall();
        const double dx = 5.5 - ball->GetX();
        const double dy = 2.5 - ball->GetY();
        heading = std::atan2(dy, dx);
        force = std::clamp(0.602 * (std::hypot(dx, dy) + 0.5), 0.5, 80.0);
    };
    ASSERT_TRUE(spinUntil([&] {
        double force = 0.0;
        double heading = 0.0;
        if (guest.viewState() == Aiming) {
            towardsCup(force, heading);
            guest.putt(heading, force);
        } else if (guest.viewState() == WaitingForRemote && guest.currentBall() != nullptr) {
            towardsCup(force, heading);
            if (host.sendPutt(force, heading)) {
                host.localBallStopped();
            }
        }
        return !guest.messages.isEmpty();
    })) << "the match never ended";
    ASSERT_EQ(guest.messages.size(), 1);
    const auto strokes = [&] {
        auto lock = guest.controller().net().lock();
        return std::make_pair(guest.match().GetPlayer(0)->TotalStrokes(),
                              guest.match().GetPlayer(1)->TotalStrokes());
    };
    const auto strokesAtTheEnd = strokes();
    ASSERT_TRUE(spinUntil([&] { return guest.controller().isHighlightOn(); }));

    // One more putt from the host: the guest follows no turn any more, but answers it.
    const int roundsBefore = hostEvents.allStopped.load();
    double force = 1.0;
    double heading = 0.0;
    ASSERT_TRUE(host.sendPutt(force, heading));
    host.localBallStopped();
    ASSERT_TRUE(spinUntil([&] { return hostEvents.allStopped.load() > roundsBefore; }))
        << "the guest never reported the late putt stopped";
    // Events reach the guest in order: once a chat line sent after the late round has arrived,
    // everything that round caused there has been handled.
    host.sendChat("done", "Host");
    ASSERT_TRUE(spinUntil(
        [&] { return guest.chatBox()->history().contains(QStringLiteral("Host> done")); }));
    EXPECT_EQ(guest.messages.size(), 1) << "the end was announced again";
    EXPECT_EQ(strokes(), strokesAtTheEnd);
    EXPECT_TRUE(guest.controller().isHighlightOn()) << "the winner's replay was cut off";
    EXPECT_NE(guest.viewState(), Rolling);
    host.clearListeners();
}

}  // namespace
}  // namespace trundlex::testing
