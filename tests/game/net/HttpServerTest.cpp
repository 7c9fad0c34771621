// The web side's server on its own, on a pool as a host runs it: answers, limits and a clean
// stop with connections still open (also under ThreadSanitizer).
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "game/net/NetTestSupport.h"
#include "net/HttpServer.h"
#include "net/NetPool.h"
#include "support/HttpExchange.h"
#include "support/TempFolder.h"
#include "support/WebSocketPeer.h"

namespace trundlex::testing {
namespace {

class HttpServerTest : public ::testing::Test {
protected:
    std::uint16_t start(HttpServer::Settings settings) {
        server = std::make_unique<HttpServer>(
            pool, std::move(settings),
            [this](const std::string&) {
                return admitted.fetch_add(1) < places ? std::make_shared<int>(0) : nullptr;
            },
            [this](const std::string& line) {
                std::lock_guard lock(mutex);
                lines.push_back(line);
            });
        return server->listen(0);
    }

    NetPool pool{2};
    TempFolder folder;
    std::atomic<int> admitted{0};
    std::atomic<int> places{100};
    std::mutex mutex;
    std::vector<std::string> lines;
    std::unique_ptr<HttpServer> server;
};

TEST_F(HttpServerTest, AnswersFilesAndHealthAndKeepsAConnectionForTheNextRequest) {
    folder.write("web/index.html", "hello");
    HttpServer::Settings settings;
    settings.webRoot = folder / "web";
    const std::uint16_t port = start(settings);
    ASSERT_NE(port, 0);
    const std::string both = httpExchange(
        port, "GET / HTTP/1.1\r\nHost: x\r\n\r\n" + httpRequest("/healthz"));
    EXPECT_EQ(statusOf(both), 200);
    EXPECT_NE(both.find("hello"), std::string::npos) << both;
    EXPECT_TRUE(both.ends_with("ok\n")) << "the second request on the same connection: " << both;
    EXPECT_EQ(statusOf(httpExchange(port, httpRequest("/missing"))), 404);
}

TEST_F(HttpServerTest, StopsWithConnectionsOpenAndRefusedAddressesGetNothing) {
    HttpServer::Settings settings;
    const std::uint16_t port = start(settings);
    Socket idle;
    WakePipe never;
    ASSERT_EQ(idle.connectTo("127.0.0.1", port, never, Patience), ConnectResult::Connected);
    ASSERT_TRUE(idle.sendAll("GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n", Patience));
    ASSERT_TRUE(idle.waitReadable(Patience)) << "answered, and kept open";
    places = 0;
    EXPECT_EQ(httpExchange(port, httpRequest("/healthz")), "") << "no place for the address";
    server.reset();  // must not wait for the open connection's next request
    // What is left of the answer, then the end of the connection.
    bool ended = false;
    char buffer[512];
    while (!ended && idle.waitReadable(Patience)) {
        ended = idle.receive(buffer, sizeof buffer) <= 0;
    }
    EXPECT_TRUE(ended) << "the stop closed the open connection";
}

TEST_F(HttpServerTest, AWebSocketCarriesTheGamesBytesBothWaysAndItsEnd) {
    RawServer game;
    std::mutex opened;
    std::vector<std::string> browsers;
    HttpServer::Settings settings;
    settings.gamePort = game.port();
    settings.bridgeOpening = [&](std::uint16_t, const std::string& address, const std::string&) {
        std::lock_guard lock(opened);
        browsers.push_back(address);
    };
    const std::uint16_t port = start(settings);
    WebSocketPeer browser;
    ASSERT_TRUE(browser.open(port, {}, "2001:db8::7"));
    RawPeer door = game.accept();
    door.send("HTrundlex");
    EXPECT_EQ(browser.expect('H').value_or(""), "Trundlex");
    browser.send("W|");
    EXPECT_EQ(door.expect('W').value_or(""), "|");
    {
        std::lock_guard lock(opened);
        EXPECT_EQ(browsers, std::vector<std::string>{"2001:db8::7"})
            << "announced as the address the proxy named";
    }
    door.close();
    EXPECT_TRUE(browser.closedCleanly()) << "the game's end closes the WebSocket";
    // The bridge goes once its last handler has run.
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (server->webSockets() != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_EQ(server->webSockets(), 0u);
}

}  // namespace
}  // namespace trundlex::testing
