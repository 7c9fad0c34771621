// A client whose connection the program carries (a browser page's, CarriedEngine) against a
// server with sockets and threads of its own: the same messages, on the driving thread only.
#include <gtest/gtest.h>

#include <thread>

#include "NetTestSupport.h"

namespace trundlex::testing {

namespace {

using namespace std::chrono_literals;

// Carries the game's connection over a socket, as a page carries its WebSocket: the game's
// calls only take note; the test hands over what arrives.
class SocketCarrier : public NetCarrier {
public:
    void open(const std::string& host, std::uint16_t port) override {
        asked = host + ":" + std::to_string(port);
        opening = true;
    }
    void send(std::string_view bytes) override { outgoing += bytes; }
    void close() override { closeAsked = true; }

    std::string asked;
    bool opening = false;
    bool closeAsked = false;
    std::string outgoing;
};

// The carried client: its game, its carrier and socket, and what its listener and lobby
// heard, with the thread each event came on.
struct CarriedClient {
    explicit CarriedClient(const std::string& player) {
        match.AddPlayer(player, 0x0000FF, 1, false, Player::LocalConnection);
        net.setMatch(&match);
        listener.attach(net);
        lobby.attach(net);
        net.addListener(&listener);
        net.addListener(&threadCheck);
    }
    ~CarriedClient() { net.clearListeners(); }

    // One turn of the driving loop: what the game sent goes out, what arrived goes in, the
    // timers are kept.
    void pump() {
        if (carrier.opening && socket.valid() == false) {
            WakePipe never;
            ASSERT_EQ(socket.connectTo(Loopback, port, never, Patience), ConnectResult::Connected);
            carrier.opening = false;
            net.carrierOpened();
        }
        if (!carrier.outgoing.empty() && socket.valid()) {
            EXPECT_TRUE(socket.sendAll(carrier.outgoing, Patience));
            carrier.outgoing.clear();
        }
        if (carrier.closeAsked && socket.valid() && !ended) {
            socket.shutdownBoth();
        }
        while (socket.valid() && !ended && socket.waitReadable(0ms)) {
            char buffer[4096];
            const long count = socket.receive(buffer, sizeof buffer);
            if (count <= 0) {
                ended = true;
                net.carrierClosed();
                break;
            }
            net.carrierReceived(std::string_view(buffer, static_cast<std::size_t>(count)));
        }
        net.pollCarrier();
    }
    // Pumps until `done` holds; false when Patience ran out first.
    bool pumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + Patience;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            pump();
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }
    bool has(NetEvent event, int count = 1) { return listener.count(event) >= count; }

    // Notes whether every event came on the thread that drives the game.
    struct ThreadCheck : NetListener {
        void onNetEvent(NetEvent) override {
            elsewhere = elsewhere || std::this_thread::get_id() != driver;
        }
        std::thread::id driver = std::this_thread::get_id();
        bool elsewhere = false;
    };

    RecordingListener listener;
    RecordingLobby lobby;
    ThreadCheck threadCheck;
    SocketCarrier carrier;
    Socket socket;
    std::uint16_t port = 0;
    bool ended = false;
    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Match match;
    NetGame net{library, carrier};
};

TEST(CarriedClientTest, JoinsAThreadedServerTakesItsLevelsAndPlaysPuttsAndChatBothWays) {
    Computer server({"Sam"});
    server.addLevels({"c1", "c2"}, true);
    CarriedClient client("Cara");
    client.port = server.serve();
    ASSERT_TRUE(client.net.startClient("server.example", client.port, &client.lobby));
    EXPECT_EQ(client.carrier.asked, "server.example:" + std::to_string(client.port))
        << "the carrier is asked for the connection; no socket of the game's own";

    ASSERT_TRUE(client.pumpUntil([&] {
        return server.lobby.view().startEnabled && client.library.findById("c2") >= 0;
    })) << "the client takes the levels and says it is ready";
    EXPECT_EQ(server.playerNames(), (std::vector<std::string>{"Sam *", "Cara"}));
    ASSERT_TRUE(server.net.startHandshake());
    ASSERT_TRUE(client.pumpUntil([&] { return client.has(NetStart); }));
    ASSERT_TRUE(server.listener.waitFor(NetStart));
    EXPECT_TRUE(client.lobby.view().closed);

    // The client's putt reaches the server with the rounded values the client rolls.
    double force = 12.3456789;
    double angle = 0.7654321;
    ASSERT_TRUE(client.net.sendPutt(force, angle));
    client.pump();
    const NetEventData putt = server.listener.dataOf(NetPutt);
    EXPECT_EQ(putt.puttForce, force);
    EXPECT_EQ(putt.puttAngle, angle);
    client.net.localBallStopped();
    server.net.localBallStopped();
    ASSERT_TRUE(client.pumpUntil([&] { return client.has(NetAllStopped); }));

    // And the server's reaches the client.
    double serverForce = 30.0;
    double serverAngle = -1.25;
    ASSERT_TRUE(server.net.sendPutt(serverForce, serverAngle));
    ASSERT_TRUE(client.pumpUntil([&] { return client.has(NetPutt); }));
    EXPECT_EQ(client.listener.dataOf(NetPutt).puttAngle, serverAngle);

    EXPECT_EQ(client.net.sendChat("nice one", "Cara"), netproto::TextProblem::None);
    client.pump();
    EXPECT_EQ(server.listener.dataOf(NetChat).chatText, "nice one");
    EXPECT_EQ(server.net.sendChat("thanks", "Sam"), netproto::TextProblem::None);
    ASSERT_TRUE(client.pumpUntil([&] { return client.has(NetChat); }));
    EXPECT_EQ(client.listener.dataOf(NetChat).chatName, "Sam");

    EXPECT_FALSE(client.threadCheck.elsewhere) << "every event came on the driving thread";

    // The server goes: the client's game ends when the carrier reports the end.
    server.net.endGame();
    ASSERT_TRUE(client.pumpUntil([&] { return client.has(NetEnded); }));
    EXPECT_FALSE(client.net.isConnected());
}

TEST(CarriedClientTest, SaysHelloInTheLobbySoThatAServerWithAShortIdleLimitKeepsIt) {
    Computer server({"Sam"});
    server.addLevels({"c1"}, true);
    NetTimeouts shortIdle;
    shortIdle.lobbyIdle = 600ms;
    server.net.setTimeouts(shortIdle);
    CarriedClient client("Cara");
    client.net.setTimeouts(shortIdle);
    client.port = server.serve();
    ASSERT_TRUE(client.net.startClient(Loopback, client.port, &client.lobby));
    ASSERT_TRUE(client.pumpUntil([&] { return server.lobby.view().startEnabled; }));

    // Three idle limits pass in the lobby with nothing to say but hello.
    const auto until = std::chrono::steady_clock::now() + 3 * shortIdle.lobbyIdle;
    ASSERT_TRUE(client.pumpUntil([&] { return std::chrono::steady_clock::now() > until; }));
    EXPECT_TRUE(client.net.isConnected());
    EXPECT_EQ(server.net.connectionCount(), 1);
    EXPECT_FALSE(client.has(NetEnded));
}

TEST(CarriedClientTest, AConnectionThatNeverOpensEndsTheLobbyAndAnEndedGameAsksToClose) {
    CarriedClient client("Cara");
    ASSERT_TRUE(client.net.startClient("nowhere.example", 4, &client.lobby));
    ASSERT_TRUE(client.carrier.opening);
    client.net.carrierClosed();
    EXPECT_TRUE(client.lobby.waitForStatus(LobbyText::CouldntConnect));
    EXPECT_FALSE(client.net.isConnected());

    // A report that comes after the game gave up changes nothing.
    client.net.carrierOpened();
    EXPECT_FALSE(client.net.isConnected());

    // Leaving while connecting asks the carrier to close what it is opening.
    client.carrier.opening = false;
    client.carrier.closeAsked = false;
    ASSERT_TRUE(client.net.startClient("nowhere.example", 4, &client.lobby));
    client.net.endGame();
    EXPECT_TRUE(client.carrier.closeAsked);
}

}  // namespace

}  // namespace trundlex::testing
