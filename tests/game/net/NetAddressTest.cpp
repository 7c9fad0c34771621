// What people type as a server's address, and games over both address families and names.
#include <future>

#include "game/net/NetTestSupport.h"
#include "net/NetAddress.h"
#include "net/NetEngine.h"
#include "net/NetPool.h"

namespace trundlex::testing {
namespace {

struct AddressCase {
    std::string text;
    std::string host;
    std::uint16_t port;
    AddressProblem problem;
};

TEST(NetAddressTest, ReadsEveryFormAndRefusesBadInputWithAReason) {
    using enum AddressProblem;
    const std::vector<AddressCase> cases = {
        {"example.org", "example.org", 49732, None},
        {"  my-host_1.lan:50000 ", "my-host_1.lan", 50000, None},
        {"192.0.2.7:1", "192.0.2.7", 1, None},
        {"[::1]:49733", "::1", 49733, None},
        {"[fe80::1%eth0]", "fe80::1%eth0", 49732, None},
        {"::1", "::1", 49732, None},
        {"2001:db8::7:8", "2001:db8::7:8", 49732, None},
        {"::ffff:192.0.2.7", "::ffff:192.0.2.7", 49732, None},
        {"", "", 0, Empty},
        {" \t ", "", 0, Empty},
        {"two words", "", 0, BadHost},
        {"host/path", "", 0, BadHost},
        {"bücher.example", "", 0, BadHost},
        {std::string(254, 'a'), "", 0, BadHost},
        {":49732", "", 0, BadHost},
        {"[::1", "", 0, BadBrackets},
        {"[]:80", "", 0, BadBrackets},
        {"[::1]x", "", 0, BadBrackets},
        {"[host]:80", "", 0, BadHost},
        {"::g", "", 0, BadHost},
        {"::1%", "", 0, BadHost},
        {"host:", "", 0, BadPort},
        {"host:0", "", 0, BadPort},
        {"host:65536", "", 0, BadPort},
        {"host:+80", "", 0, BadPort},
        {"host:99999999999999999999", "", 0, BadPort},
        {"[::1]:", "", 0, BadPort},
        {std::string("ho\0st", 5), "", 0, BadHost},
    };
    for (const AddressCase& c : cases) {
        const NetAddress address = NetAddress::parse(c.text, 49732);
        EXPECT_EQ(address.problem, c.problem) << '"' << c.text << '"';
        EXPECT_EQ(address.host, c.host) << '"' << c.text << '"';
        EXPECT_EQ(address.port, c.port) << '"' << c.text << '"';
    }
}

// A client reaches a server that listens on every address, by IPv4, by IPv6 and by name,
// and the server's lobby shows where it came from.
TEST(NetAddressTest, ClientsReachADualStackServerByEitherFamilyAndByName) {
    TcpListener probe;
    const bool ipv6 = probe.open("::1", 0);
    Computer host({"Host"});
    host.addLevels({"h1"}, true);
    ASSERT_TRUE(host.net.startServer(0, &host.lobby));
    const std::uint16_t port = host.net.listeningPort();
    ASSERT_NE(port, 0);
    std::vector<std::pair<std::string, std::vector<std::string>>> tries = {
        {"127.0.0.1", {"127.0.0.1"}}, {"localhost", {"127.0.0.1", "::1"}}};
    if (ipv6) {
        tries.push_back({"::1", {"::1"}});
    }
    std::vector<std::unique_ptr<Computer>> guests;
    for (const auto& [name, seenAs] : tries) {
        auto& guest = *guests.emplace_back(std::make_unique<Computer>(std::vector{name}));
        EXPECT_TRUE(guest.net.startClient(name, port, &guest.lobby));
        EXPECT_TRUE(guest.lobby.waitForStatus(LobbyText::ConnectionOpen)) << name;
        const auto count = static_cast<std::int32_t>(guests.size());
        ASSERT_TRUE(host.lobby.waitUntil([&](const LobbyView& v) {
            return v.snapshot.connectionCount == count;
        })) << name;
        const std::string seen = host.lobby.view().snapshot.computers.back().address;
        EXPECT_NE(std::find(seenAs.begin(), seenAs.end(), seen), seenAs.end())
            << name << " arrived from " << seen;
    }
    if (!ipv6) {
        GTEST_SKIP() << "this machine has no IPv6 loopback address; only IPv4 was tried";
    }
}

TEST(NetAddressTest, AServerOnTheIpv6LoopbackPlaysAGame) {
    TcpListener probe;
    if (!probe.open("::1", 0)) {
        GTEST_SKIP() << "this machine has no IPv6 loopback address";
    }
    Computer host({"Host"});
    host.addLevels({"h1"}, true);
    ASSERT_TRUE(host.net.startServer(0, &host.lobby, "::1"));
    Computer guest({"Gus"});
    EXPECT_TRUE(guest.net.startClient("::1", host.net.listeningPort(), &guest.lobby));
    ASSERT_TRUE(host.lobby.waitUntil([](const LobbyView& v) { return v.startEnabled; }));
    EXPECT_EQ(host.lobby.view().snapshot.computers.at(0).address, "::1");
    ASSERT_TRUE(host.net.startHandshake());
    ASSERT_TRUE(guest.listener.waitFor(NetStart));
    ASSERT_TRUE(host.listener.waitFor(NetStart));
    EXPECT_EQ(guest.net.sendChat("over IPv6", "Gus"), netproto::TextProblem::None);
    EXPECT_EQ(host.listener.dataOf(NetChat).chatText, "over IPv6");
}

TEST(NetAddressTest, ANameThatDoesNotResolveCannotConnect) {
    Computer lost({"Lost"});
    // The .invalid top-level domain never resolves.
    EXPECT_TRUE(lost.net.startClient("no-such-host.invalid", 49732, &lost.lobby));
    EXPECT_TRUE(lost.lobby.waitForStatus(LobbyText::CouldntConnect));
    EXPECT_FALSE(lost.net.isConnected());
}

// A name lookup that hangs (a name server out of reach) holds up neither the end of the game
// nor the program: a game on its own thread and one on a pool both end at once, and the
// lookup's late answer finds nobody.
TEST(NetAddressTest, AHangingNameLookupHoldsNothingUp) {
    LevelLibrary library("");
    NetPool io{1};
    NetPool delivery{1};
    for (const bool pooled : {false, true}) {
        std::promise<void> asked;
        std::promise<void> answer;
        std::shared_future<void> answered = answer.get_future().share();
        NetEngine::setHostLookup([&asked, answered](const std::string&) {
            asked.set_value();
            answered.wait();
            return std::vector<std::string>{"127.0.0.1"};
        });
        auto net = pooled ? std::make_unique<NetGame>(library, io, delivery)
                          : std::make_unique<NetGame>(library);
        Match match;
        match.AddPlayer("Gus", 0x00FF00, 1, false, Player::LocalConnection);
        net->setMatch(&match);
        EXPECT_TRUE(net->startClient("slow.example", 49732, nullptr));
        ASSERT_EQ(asked.get_future().wait_for(10s), std::future_status::ready);
        auto ended = std::async(std::launch::async, [&net] {
            net->endGame();
            net.reset();
        });
        const bool quick = ended.wait_for(10s) == std::future_status::ready;
        answer.set_value();
        ended.wait();
        EXPECT_TRUE(quick) << (pooled ? "on a pool" : "on its own thread");
    }
    NetEngine::setHostLookup(nullptr);
}

}  // namespace
}  // namespace trundlex::testing
