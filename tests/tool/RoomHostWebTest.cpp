// The room host's web side: the web client's files and its health on a port of their own,
// every request bounded in size and time, every connection counted against its address.
#include <algorithm>
#include <cmath>
#include <csignal>
#include <map>
#include <regex>
#include <sstream>

#include "RoomHostFixture.h"
#include "support/HttpExchange.h"
#include "support/RoomPeer.h"
#include "support/WebSocketPeer.h"

namespace trundlex::testing {
namespace {

class RoomHostWebProcessTest : public RoomHostProcessTest {};

TEST_P(RoomHostWebProcessTest, TheHostServesTheWebClientBesideTheGame) {
    folder.write("web/index.html", "<!doctype html><title>Trundlex</title>");
    folder.write("web/app.wasm", std::string("\0asm", 4));
    folder.write("secret.txt", "private");
    const std::uint16_t port =
        startHost({"--http-port", "0", "--web", folder / "web", "--cross-origin-isolation"});
    const auto listening = host.waitForLine("listening http ");
    ASSERT_TRUE(listening.has_value());
    const auto web = static_cast<std::uint16_t>(std::stoi(listening->substr(15)));

    const std::string page = httpExchange(web, httpRequest("/"));
    EXPECT_EQ(statusOf(page), 200) << page;
    EXPECT_TRUE(page.ends_with("<!doctype html><title>Trundlex</title>")) << page;
    EXPECT_NE(page.find("Content-Type: text/html"), std::string::npos);
    EXPECT_NE(page.find("Cross-Origin-Embedder-Policy: require-corp"), std::string::npos)
        << "asked for on the command line";
    EXPECT_NE(httpExchange(web, httpRequest("/app.wasm")).find("application/wasm"),
              std::string::npos);
    const std::string health = httpExchange(web, httpRequest("/healthz"));
    EXPECT_EQ(statusOf(health), 200);
    EXPECT_TRUE(health.ends_with("ok\n"));
    const std::string head = httpExchange(web, httpRequest("/", "HEAD"));
    EXPECT_EQ(statusOf(head), 200);
    EXPECT_TRUE(head.ends_with("\r\n\r\n")) << "HEAD carries no body: " << head;

    EXPECT_EQ(statusOf(httpExchange(web, httpRequest("/%2e%2e/secret.txt"))), 404);
    EXPECT_EQ(statusOf(httpExchange(web, httpRequest("/../secret.txt"))), 404);
    EXPECT_EQ(statusOf(httpExchange(web, httpRequest("/", "POST"))), 405);
    EXPECT_EQ(statusOf(httpExchange(web, httpRequest("/", "GET", "Content-Length: 5\r\n") +
                                             "hello")),
              413);
    EXPECT_EQ(statusOf(httpExchange(
                  web, httpRequest("/", "GET", "X-Filler: " + std::string(20000, 'x') + "\r\n"))),
              431);
    EXPECT_EQ(statusOf(httpExchange(web, "this is no HTTP\r\n\r\n")), 0) << "closed unanswered";

    // The game's port is the game's as before.
    RoomPeer creator(address(), port);
    EXPECT_TRUE(roomproto::isCode(creator.create("")));
}

TEST_P(RoomHostWebProcessTest, ABrowserAndADesktopGameShareARoomByteForByte) {
    const std::uint16_t port = startHost({"--http-port", "0", "--log-chat"});
    const auto listening = host.waitForLine("listening http ");
    ASSERT_TRUE(listening.has_value());
    const auto web = static_cast<std::uint16_t>(std::stoi(listening->substr(15)));

    // The browser, behind a proxy on this machine that names its address.
    WebSocketPeer browser;
    ASSERT_TRUE(browser.open(web, "http://127.0.0.1:" + std::to_string(web), "192.0.2.7"))
        << browser.status();
    EXPECT_EQ(browser.expect(netproto::Hello).value_or(""), netproto::Version);
    browser.send("W|");
    const auto answer = roomproto::Answer::parse(browser.expect(roomproto::Letter).value_or(""));
    ASSERT_EQ(answer.kind, roomproto::Answer::Kind::Room);
    EXPECT_TRUE(browser.expect(roomproto::Letter).value_or("").starts_with("+")) << "its seat";
    browser.send("NAnn|255|1|0|");
    browser.send("H" + std::string(netproto::Version));
    ASSERT_TRUE(host.waitForLine("room " + answer.code + " created "));
    EXPECT_TRUE(host.waitForLine("room " + answer.code + " created Room Test One by 192.0.2.7:0"))
        << "the door took the browser's address";

    RoomPeer desk(address(), port);
    ASSERT_EQ(desk.join(answer.code, "Dee").kind, roomproto::Answer::Kind::Room);
    while (const auto list = browser.expect('O')) {
        if (list->find("Dee|") != std::string::npos) {
            break;
        }
    }
    browser.send("R");
    desk.send("R");
    browser.send("Y");
    ASSERT_TRUE(browser.expect('G'));
    ASSERT_TRUE(desk.next('G'));
    browser.send("D");
    desk.send("D");
    ASSERT_TRUE(browser.expect('S'));
    ASSERT_TRUE(desk.next('S'));
    ASSERT_TRUE(host.waitForLine("room " + answer.code + " start"));

    browser.send("MAnn|hello, desk");
    EXPECT_EQ(desk.next('M').value_or(""), "Ann|hello, desk");
    desk.send("MDee|hello, browser");
    EXPECT_EQ(browser.expect('M').value_or(""), "Dee|hello, browser");
    // The messages are a byte stream: one may be cut across WebSocket messages anywhere.
    browser.sendRaw("MAnn|sp");
    browser.sendRaw("lit\x07");
    browser.sendRaw("\x07P3.000000|0.500000\x07\x07");
    EXPECT_EQ(desk.next('M').value_or(""), "Ann|split");
    EXPECT_EQ(desk.next('P').value_or(""), "3.000000|0.500000") << "Ann's turn, from the browser";

    // The host's stop reaches the browser, and its WebSocket closes cleanly.
    host.signal(SIGTERM);
    EXPECT_EQ(browser.expect(roomproto::Letter).value_or(""), ".");
    EXPECT_TRUE(browser.closedCleanly());
    EXPECT_EQ(host.waitForExit(), 0);
}

TEST_P(RoomHostWebProcessTest, TheGameSocketRefusesPagesOfOtherSitesAndPlainRequests) {
    startHost({"--http-port", "0"});
    const auto listening = host.waitForLine("listening http ");
    ASSERT_TRUE(listening.has_value());
    const auto web = static_cast<std::uint16_t>(std::stoi(listening->substr(15)));
    WebSocketPeer elsewhere;
    EXPECT_FALSE(elsewhere.open(web, "https://evil.example"));
    EXPECT_EQ(elsewhere.status(), 403);
    EXPECT_TRUE(host.waitForLine("limit websocket from another site: refused 127.0.0.1:"));
    WebSocketPeer ownSite;
    ASSERT_TRUE(ownSite.open(web, "http://127.0.0.1:" + std::to_string(web)));
    // A refusal at the door ends the WebSocket with a close frame after it.
    ownSite.send("WZZZZZZ|");
    EXPECT_EQ(ownSite.expect(roomproto::Letter).value_or(""), "|No room with code ZZZZZZ.");
    EXPECT_TRUE(ownSite.closedCleanly());
    EXPECT_EQ(statusOf(httpExchange(web, httpRequest("/play"))), 426) << "not an upgrade";
}

INSTANTIATE_TEST_SUITE_P(Ipv4, RoomHostWebProcessTest,
                         ::testing::Values(std::string("127.0.0.1")));

// The same host in this process, with limits short enough to watch them act.
class RoomHostWebTest : public RoomHostTest {};

TEST_F(RoomHostWebTest, AClientThatTricklesItsRequestIsDroppedAtTheLimit) {
    settings.httpHeaderTimeout = std::chrono::milliseconds(300);
    const std::uint16_t web = startWeb();
    ASSERT_NE(web, 0);
    const auto began = std::chrono::steady_clock::now();
    const std::string answer =
        httpExchange(web, "GET / HTTP/1.1\r\nHost: local", std::chrono::seconds(5));
    EXPECT_EQ(answer, "") << "dropped without an answer";
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(4))
        << "closed by the server, not by the test's patience";
    // The stream closes the socket as its time runs out, before the line is written: the
    // host is taken down first, which waits for every connection's work to end.
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (host->counts().limitHits == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    host.reset();
    EXPECT_NE(events.str().find("limit slow http request: dropped 127.0.0.1:"),
              std::string::npos)
        << events.str();
}

TEST_F(RoomHostWebTest, WebConnectionsCountAgainstTheirAddress) {
    settings.perAddress.connections = 2;
    const std::uint16_t web = startWeb();
    Socket first;
    Socket second;
    WakePipe never;
    ASSERT_EQ(first.connectTo("127.0.0.1", web, never, Patience), ConnectResult::Connected);
    ASSERT_EQ(second.connectTo("127.0.0.1", web, never, Patience), ConnectResult::Connected);
    // Both are taken before the third is counted (the server has answered each).
    ASSERT_TRUE(first.sendAll("GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n", Patience));
    ASSERT_TRUE(second.sendAll("GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n", Patience));
    ASSERT_TRUE(first.waitReadable(Patience));
    ASSERT_TRUE(second.waitReadable(Patience));
    EXPECT_EQ(httpExchange(web, httpRequest("/healthz")), "") << "the third is closed at once";
    first = Socket();
    second = Socket();
    // Their places come back once they are gone.
    std::string again;
    for (int attempt = 0; attempt < 50 && statusOf(again) != 200; ++attempt) {
        again = httpExchange(web, httpRequest("/healthz"), std::chrono::milliseconds(200));
    }
    EXPECT_EQ(statusOf(again), 200);
}

// Reads Prometheus' text format strictly: every sample after its metric's HELP and TYPE (a
// histogram's as its _bucket, _sum and _count), the names and labels as the format allows,
// numbers as values. The samples by their full name ("trundlex_rooms{phase=\"lobby\"}"), or
// a failure naming the first bad line.
std::map<std::string, double> parsePrometheus(const std::string& text) {
    static const std::regex sample(
        R"(^([a-zA-Z_:][a-zA-Z0-9_:]*)(\{[a-zA-Z_][a-zA-Z0-9_]*="[^"\\\n]*"(,[a-zA-Z_][a-zA-Z0-9_]*="[^"\\\n]*")*\})? (-?[0-9]+(\.[0-9]+)?([eE][-+]?[0-9]+)?)$)");
    static const std::regex help(R"(^# HELP ([a-zA-Z_:][a-zA-Z0-9_:]*) .+$)");
    static const std::regex type(R"(^# TYPE ([a-zA-Z_:][a-zA-Z0-9_:]*) (counter|gauge|histogram|summary|untyped)$)");
    std::map<std::string, double> samples;
    std::map<std::string, std::string> types;
    std::string helped;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_match(line, match, help)) {
            helped = match[1];
        } else if (std::regex_match(line, match, type)) {
            EXPECT_EQ(match[1], helped) << "TYPE after its HELP: " << line;
            EXPECT_FALSE(types.contains(match[1])) << "one TYPE per metric: " << line;
            types[match[1]] = match[2];
        } else if (std::regex_match(line, match, sample)) {
            const std::string name = match[1];
            std::string family = name;
            for (const std::string suffix : {"_bucket", "_sum", "_count"}) {
                const std::string base = name.substr(0, name.size() - suffix.size());
                if (name.ends_with(suffix) && types.contains(base) && types[base] == "histogram") {
                    family = base;
                }
            }
            EXPECT_TRUE(types.contains(family)) << "a sample after its TYPE: " << line;
            const bool bucket = family != name && name.ends_with("_bucket");
            EXPECT_EQ(bucket, std::string(match[2]).starts_with("{le=\""))
                << "a histogram's buckets, and only they, carry their bound: " << line;
            const std::string full = name + std::string(match[2]);
            EXPECT_FALSE(samples.contains(full)) << "each sample once: " << line;
            samples[full] = std::stod(match[4]);
        } else {
            ADD_FAILURE() << "not Prometheus' text format: '" << line << "'";
        }
    }
    return samples;
}

// Checks that the histogram `name` among `samples` is whole: a bucket for each bound, the
// bounds rising to +Inf, counts that never fall from one bucket to the next, +Inf equal to
// _count, and a _sum that is no less than zero. Its count.
double histogramCount(const std::map<std::string, double>& samples, const std::string& name) {
    const std::string prefix = name + "_bucket{le=\"";
    std::vector<std::pair<double, double>> buckets;
    for (auto it = samples.lower_bound(prefix);
         it != samples.end() && it->first.starts_with(prefix); ++it) {
        // The bound stands between the prefix and the closing "\"}".
        const std::string bound =
            it->first.substr(prefix.size(), it->first.size() - prefix.size() - 2);
        buckets.emplace_back(bound == "+Inf" ? HUGE_VAL : std::stod(bound), it->second);
    }
    std::sort(buckets.begin(), buckets.end());
    EXPECT_GE(buckets.size(), 2u) << name << ": buckets";
    if (buckets.empty()) {
        return -1;
    }
    EXPECT_EQ(buckets.back().first, HUGE_VAL) << name << ": a +Inf bucket";
    for (std::size_t i = 1; i < buckets.size(); ++i) {
        EXPECT_LT(buckets[i - 1].first, buckets[i].first) << name << ": each bound once";
        EXPECT_LE(buckets[i - 1].second, buckets[i].second)
            << name << ": cumulative, up to le=" << buckets[i].first;
    }
    EXPECT_TRUE(samples.contains(name + "_sum") && samples.at(name + "_sum") >= 0) << name;
    EXPECT_TRUE(samples.contains(name + "_count")) << name;
    const double count = samples.contains(name + "_count") ? samples.at(name + "_count") : -1;
    EXPECT_EQ(buckets.back().second, count) << name << ": +Inf is every observation";
    return count;
}

// GET /metrics on `web`, read strictly (parsePrometheus).
std::map<std::string, double> metricsOf(std::uint16_t web) {
    const std::string answer = httpExchange(web, httpRequest("/metrics"));
    EXPECT_EQ(statusOf(answer), 200) << answer;
    EXPECT_NE(answer.find("Content-Type: text/plain; version=0.0.4"), std::string::npos);
    return parsePrometheus(answer.substr(answer.find("\r\n\r\n") + 4));
}

TEST_F(RoomHostWebTest, MetricsTellRoomsClientsRelaysAndRefusalsInPrometheusFormat) {
    constexpr std::string_view kRelays = "trundlex_relay_latency_seconds";
    const std::uint16_t web = startWeb();
    RoomPeer creator(Loopback, doorPort);
    const std::string code = creator.create("");
    ASSERT_TRUE(roomproto::isCode(code));
    creator.enterAs("Cy");
    while (const auto list = creator.next('O')) {
        if (list->find("Cy|") != std::string::npos) {
            break;
        }
    }
    RoomPeer guesser(Loopback, doorPort);
    EXPECT_EQ(guesser.join("ZZZZZZ", "Guy").kind, roomproto::Answer::Kind::Refused);

    auto samples = metricsOf(web);
    EXPECT_EQ(samples.at("trundlex_rooms{phase=\"lobby\"}"), 1);
    EXPECT_EQ(samples.at("trundlex_rooms{phase=\"playing\"}"), 0);
    EXPECT_EQ(samples.at("trundlex_clients{transport=\"tcp\"}"), 1);
    EXPECT_EQ(samples.at("trundlex_clients{transport=\"websocket\"}"), 0);
    EXPECT_EQ(samples.at("trundlex_rooms_created_total"), 1);
    EXPECT_EQ(samples.at("trundlex_refused_joins_total"), 1);
    EXPECT_EQ(samples.at("trundlex_http_connections"), 1) << "the one asking";
    EXPECT_GT(samples.at("trundlex_resident_memory_bytes"), 0);
    EXPECT_TRUE(samples.contains("trundlex_relay_refusals_total{reason=\"out_of_turn\"}"));
    EXPECT_EQ(histogramCount(samples, std::string(kRelays)), 0) << "nothing relayed yet";

    // A browser joins the room over WebSocket; another only stands at the door.
    WebSocketPeer browser;
    ASSERT_TRUE(browser.open(web, {})) << browser.status();
    ASSERT_TRUE(browser.expect(netproto::Hello));
    browser.send("W" + code + "|");
    ASSERT_EQ(roomproto::Answer::parse(browser.expect(roomproto::Letter).value_or("")).kind,
              roomproto::Answer::Kind::Room);
    browser.send("NBea|255|1|0|");
    browser.send("H" + std::string(netproto::Version));
    WebSocketPeer visitor;
    ASSERT_TRUE(visitor.open(web, {})) << visitor.status();
    ASSERT_TRUE(visitor.expect(netproto::Hello)) << "greeted at the door";

    // Chat each way: two relays, one from each transport.
    browser.send("MBea|hello, desk");
    EXPECT_EQ(creator.next('M').value_or(""), "Bea|hello, desk");
    creator.send("MCy|hello, browser");
    EXPECT_EQ(browser.expect('M').value_or(""), "Cy|hello, browser");
    // Each is timed once queued, which may be a moment after its peer has read it.
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    do {
        samples = metricsOf(web);
    } while (histogramCount(samples, std::string(kRelays)) < 2 &&
             std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(histogramCount(samples, std::string(kRelays)), 2);
    EXPECT_LT(samples.at(std::string(kRelays) + "_sum"),
              2 * std::chrono::duration<double>(Patience).count())
        << "each timed from its read, not from when its client came";
    EXPECT_EQ(samples.at("trundlex_clients{transport=\"tcp\"}"), 1);
    EXPECT_EQ(samples.at("trundlex_clients{transport=\"websocket\"}"), 1)
        << "the browser in the room, not the one at the door";
    EXPECT_EQ(samples.at("trundlex_door_visitors"), 1);
}

}  // namespace
}  // namespace trundlex::testing
