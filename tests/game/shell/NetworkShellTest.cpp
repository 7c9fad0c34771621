// The network game as the windows see it: the chat box, and two game views, one the server
// and one a client, playing over loopback in one process.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

#include "BannerOverlay.h"
#include "ChatBox.h"
#include "GameShellFixture.h"
#include "LobbyDialog.h"
#include "ScoreBoard.h"
#include "net/NetProtocol.h"
#include "net/Socket.h"
#include "platform/AboutDialog.h"

namespace trundlex::testing {
namespace {

// The About box, the package and the greeting every peer checks name one version, so that a
// player who reads "Incompatible server version" can tell which program is the older one.
TEST(ProgramVersion, TheAboutBoxNamesTheVersionTheNetworkGreetsWith) {
    EXPECT_EQ("Trundlex " + programVersion().toStdString(), std::string(netproto::Version));
}

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

TEST_F(GameShellTest, ChatBoxKeepsSendInsideANarrowWindow) {
    NetGame net(levels_);
    QWidget window;
    window.resize(800, 200);
    auto* box = new ChatBox(net, &window);
    box->setGeometry(505, 10, 310, 105);
    window.show();
    EXPECT_TRUE(spinUntil([&] {
        return box->mapTo(&window, box->sendButton()->geometry().bottomRight()).x() <= 800;
    })) << "Send lies inside the window";
    EXPECT_GT(box->messageEdit()->width(), box->sendButton()->width()) << "the line takes the room";
    window.resize(1000, 200);
    EXPECT_EQ(box->width(), 310) << "back to its own width when there is room";
    box->detach();
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

// Counts the rounds in which every computer's ball stopped.
struct StopCounter : NetListener {
    std::atomic<int> allStopped{0};
    void onNetEvent(NetEvent event) override { allStopped += event == NetAllStopped ? 1 : 0; }
};

TEST_F(GameShellTest, TwoViewsPlayAMatchOverLoopbackAndTheClientGetsTheLevels) {
    addLevel("hole-a", kRoom, 3.5, 2.5);
    // The client has no levels at all: they come from the server.
    LevelLibrary clientLevels("");
    CourseLibrary clientCourses("");
    HighScoreStore clientScores;
    GameContext clientContext{clientLevels, clientCourses, clientScores, {}, settings_,
                              random_,      nullptr,       "",           0};
    LoopbackView server(context_);
    LoopbackView client(clientContext);
    showQuick(server, 900);
    showQuick(client, 900);
    Match serverSetup;
    serverSetup.AddPlayer("Ann", 0x0000FF00, 1, false, Player::LocalConnection);
    serverSetup.AddLevel("hole-a");
    ASSERT_TRUE(server.startNetworkGame(serverSetup, 1));
    NetGame& serverNet = server.controller().net();
    StopCounter serverStops;
    serverNet.addListener(&serverStops);
    client.serverPort = serverNet.listeningPort();
    Match clientSetup;
    clientSetup.AddPlayer("Bob", 0x000000FF, 2, false, Player::LocalConnection);
    ASSERT_TRUE(client.startNetworkGame(clientSetup, 2));
    ASSERT_TRUE(spinUntil([&] { return serverNet.connectionCount() == 1; }));
    ASSERT_TRUE(spinUntil([&] { return serverNet.startHandshake(); }));
    ASSERT_TRUE(spinUntil([&] {
        return server.viewState() == Aiming && client.viewState() == WaitingForRemote;
    })) << "the game never started on both";
    EXPECT_EQ(clientLevels.count(), 1) << "the client fetched the level it lacked";
    EXPECT_FALSE(client.turnPlayableHere());
    EXPECT_EQ(client.turnTag()->title(), QStringLiteral("Waiting for Ann (on another computer)"));
    // The turn ring shows only where a click putts.
    const auto ringDrawn = [](LoopbackView& view) {
        const Ball& ball = view.match().GetPlayer(0)->GetBall();
        const double bs = view.blockSize();
        const int x = static_cast<int>(ball.GetX() * bs + view.border() + 1.7 * ball.GetRadius() * bs);
        const int y = static_cast<int>(ball.GetY() * bs + view.border());
        for (int dx = -1; dx <= 1; ++dx) {
            if (view.frame().pixel(x + dx, y) != view.background().pixel(x + dx, y)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(ringDrawn(server));
    EXPECT_FALSE(ringDrawn(client));
    EXPECT_TRUE(client.chatBox()->isVisible());

    // Ann putts on the server; the client rolls the same putt and both see the same end.
    server.putt(3.141592653589793 / 2, 1.0);
    ASSERT_TRUE(spinUntil([&] {
        return client.viewState() == Aiming && server.viewState() == WaitingForRemote;
    })) << "Bob's turn comes when every ball has stopped";
    EXPECT_EQ(server.turnTag()->title(), QStringLiteral("Waiting for Bob (on 127.0.0.1)"));
    EXPECT_EQ(client.turnTag()->title(), QStringLiteral("Bob's turn"));
    EXPECT_TRUE(client.turnPlayableHere());
    const Ball& annOnServer = server.match().GetPlayer(0)->GetBall();
    const Ball& annOnClient = client.match().GetPlayer(0)->GetBall();
    EXPECT_TRUE(sameBits(annOnServer.GetX(), annOnClient.GetX()) &&
                sameBits(annOnServer.GetY(), annOnClient.GetY()));

    // A chat line from the client reaches the server's chat box.
    client.chatBox()->messageEdit()->setText(QStringLiteral("nice"));
    ASSERT_TRUE(client.chatBox()->send());
    ASSERT_TRUE(
        spinUntil([&] { return server.chatBox()->history().contains(QStringLiteral("> nice")); }));

    // Whoever has the turn putts straight at the cup, until the match is over.
    ASSERT_TRUE(spinUntil([&] {
        for (LoopbackView* view : {&server, &client}) {
            if (view->viewState() == Aiming) {
                const Ball* ball = view->currentBall();
                const double dx = 5.5 - ball->GetX();
                const double dy = 2.5 - ball->GetY();
                view->putt(std::atan2(dy, dx), std::clamp(0.602 * (std::hypot(dx, dy) + 0.5), 0.5, 80.0));
            }
        }
        return !client.results.empty();
    })) << "the match never ended";
    ASSERT_TRUE(spinUntil([&] { return client.controller().isHighlightOn(); }));
    EXPECT_FALSE(client.playAgainOffered) << "only the server starts a network game again";
    EXPECT_TRUE(client.results[0].join('\n').contains(QStringLiteral("\tBob (you)\t")));
    EXPECT_FALSE(client.results[0].join('\n').contains(QStringLiteral("Ann (you)")));
    const int clientStrokes = client.match().GetPlayer(1)->TotalStrokes();

    // Regression: a putt that arrived after the end of the match still rolled the last
    // player's ball, and the round of stops that followed announced the end a second time.
    const int roundsBefore = serverStops.allStopped.load();
    double force = 1.0;
    double heading = 0.0;
    ASSERT_TRUE(serverNet.sendPutt(force, heading));
    serverNet.localBallStopped();
    ASSERT_TRUE(spinUntil([&] { return serverStops.allStopped.load() > roundsBefore; }))
        << "the client never reported the late putt stopped";
    // Events reach the client in order: once a chat line sent after the late round has
    // arrived, everything that round caused there has been handled.
    serverNet.sendChat("done", "Host");
    ASSERT_TRUE(spinUntil(
        [&] { return client.chatBox()->history().contains(QStringLiteral("Host> done")); }));
    EXPECT_EQ(client.results.size(), 1u) << "the end was announced again";
    EXPECT_EQ(client.match().GetPlayer(1)->TotalStrokes(), clientStrokes);
    EXPECT_TRUE(client.controller().isHighlightOn()) << "the winner's replay was cut off";

    // The client leaves: the server's computer plays Bob from now on and says so, until the
    // server's person takes him over from the menu.
    ScoreBoard* board = server.scoreBoard();
    const int narrow = board->tableSize().width();
    client.controller().net().endGame();
    const auto bobRow = [&] { return board->cellText(2, 0); };
    ASSERT_TRUE(spinUntil([&] { return bobRow() == QStringLiteral("Bob (computer)"); }));
    EXPECT_GT(board->tableSize().width(), narrow) << "the mark is not cut off";
    // (The board may mark him a moment before the chat box has its line: both follow the
    // same event.)
    EXPECT_TRUE(spinUntil([&] {
        return server.chatBox()->history().endsWith(
            QStringLiteral("[Bob is disconnected; the computer plays for Bob.]"));
    }));
    QMenu* playFor = server.playForMenu();
    ASSERT_TRUE(playFor->isEnabled());
    emit playFor->aboutToShow();
    ASSERT_EQ(playFor->actions().size(), 1);
    EXPECT_EQ(playFor->actions()[0]->text(), QStringLiteral("Bob"));
    playFor->actions()[0]->trigger();
    EXPECT_EQ(bobRow(), QStringLiteral("Bob"));
    EXPECT_EQ(board->tableSize().width(), narrow);
    EXPECT_FALSE(playFor->isEnabled()) << "nobody left to take over";
    EXPECT_TRUE(server.match().GetPlayer(1)->IsLocalPlayer());
    serverNet.removeListener(&serverStops);
}


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

TEST_F(GameShellTest, TheGamesServerLobbyDropsAConnectionThatNeverGreets) {
    Match hostMatch;
    NetGame host(levels_);
    host.setMatch(&hostMatch);
    host.setTimeouts({std::chrono::milliseconds(200), std::chrono::minutes(1)});
    LobbyDialog lobby(host);
    Socket silent;
    QTimer::singleShot(0, &lobby, [&] {
        EXPECT_EQ(silent.connectTo("127.0.0.1", host.listeningPort(), WakePipe(),
                                   std::chrono::seconds(5)),
                  ConnectResult::Connected);
    });
    bool told = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &lobby, [&] {
        told = lobby.statusText() == QStringLiteral("127.0.0.1 disconnected.");
        if (told) {
            lobby.reject();
        }
    });
    poll.start(10);
    QTimer::singleShot(10000, &lobby, [&] { lobby.reject(); });
    lobby.runServer(0);
    EXPECT_TRUE(told) << "the silent connection was not dropped";
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

}  // namespace
}  // namespace trundlex::testing
