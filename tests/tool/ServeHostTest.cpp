// The dedicated host in-process, for what its event lines cannot show.
#include <sstream>

#include "ServeHost.h"
#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

// Holds its first roll at the first step until `release` is set (or Patience has passed).
class HeldRollHost : public tool::ServeHost {
public:
    using ServeHost::ServeHost;
    std::promise<void> rolling;
    std::promise<void> release;

private:
    void rollStep() override {
        if (!held_.exchange(true)) {
            rolling.set_value();
            goOn_.wait_for(Patience);
        }
    }
    std::atomic<bool> held_{false};
    std::shared_future<void> goOn_ = release.get_future().share();
};

TEST(ServeHostTest, ARemotePuttRollsWithTheHostsLockFree) {
    LevelLibrary library("");
    library.add(testLevel("h1"));
    Match match;
    match.AddLevel("h1");
    std::ostringstream events;
    tool::EventLog log(events);
    auto net = std::make_unique<NetGame>(library);
    HeldRollHost host(*net, match, library, log, 1, [] {});
    // The network threads end while the host they may be calling is still there.
    struct Stop {
        std::unique_ptr<NetGame>& net;
        ~Stop() {
            net->clearListeners();
            net->endGame();
            net.reset();
        }
    } stop{net};
    net->setMatch(&match);
    net->addListener(&host);
    ASSERT_TRUE(net->startServer(0, &host, Loopback));
    Computer guest{{"Gus"}};
    guest.join(net->listeningPort());
    ASSERT_TRUE(guest.lobby.waitForStatus(LobbyText::WaitingForStart));
    // The host hears of the guest's "ready" a moment after the guest has sent it.
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!net->startHandshake() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_TRUE(guest.listener.waitFor(NetStart)) << events.str();
    double force = 2.0;
    double angle = 0.0;
    ASSERT_TRUE(guest.net.sendPutt(force, angle));

    EXPECT_EQ(host.rolling.get_future().wait_for(Patience), std::future_status::ready);
    // Each of the host's receiving threads takes this lock for every message it reads.
    auto taken = std::async(std::launch::async, [&net] { const auto lock = net->lock(); });
    EXPECT_EQ(taken.wait_for(Patience), std::future_status::ready) << "the roll holds the lock";
    host.release.set_value();
    guest.net.localBallStopped();
    EXPECT_TRUE(guest.listener.waitFor(NetAllStopped)) << "the roll ended and was reported";
}

}  // namespace
}  // namespace trundlex::testing
