// A putt relayed through the host between two clients on loopback: the time from one client's
// sendPutt until the other client hears NetPutt (one way, through the host), and until the
// sender hears NetAllStopped (the whole round: putt out, every stop report back in).
// Run: build/bin/net_relay_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "library/LevelLibrary.h"
#include "net/NetGame.h"
#include "play/Match.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto Patience = 10s;

// Counts events and answers every putt with this computer's stop, as a computer whose ball
// ends at once would; the time of the last putt heard.
class BenchListener : public NetListener {
public:
    explicit BenchListener(NetGame& net) : net_(net) {}
    void onNetEvent(NetEvent event) override {
        if (event == NetPutt) {
            {
                std::lock_guard lock(mutex_);
                lastPutt_ = Clock::now();
            }
            net_.localBallStopped();
        }
        {
            std::lock_guard lock(mutex_);
            ++counts_[event];
        }
        changed_.notify_all();
    }
    bool waitFor(NetEvent event, int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, Patience, [&] { return counts_[event] >= count; });
    }
    int count(NetEvent event) {
        std::lock_guard lock(mutex_);
        return counts_[event];
    }
    Clock::time_point lastPutt() {
        std::lock_guard lock(mutex_);
        return lastPutt_;
    }

private:
    NetGame& net_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int counts_[10] = {};
    Clock::time_point lastPutt_{};
};

struct Computer {
    explicit Computer(const Level& level, const char* player) {
        library.add(level);
        if (player != nullptr) {
            match.AddPlayer(player, 0x00FF00, 1, false, Player::LocalConnection);
        } else {
            match.AddLevel(level.id());
        }
        net.setMatch(&match);
        net.addListener(&listener);
    }
    ~Computer() { net.clearListeners(); }

    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Match match;
    NetGame net{library};
    BenchListener listener{net};
};

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[index];
}

void PuttRelayedThroughHost(benchmark::State& state) {
    Level level = testing::asciiLevel({"#######", "#..O..#", "#.....#", "#######"});
    level.setId("bench-level");
    Computer host(level, nullptr);
    Computer sender(level, "Sender");
    Computer receiver(level, "Receiver");
    if (!host.net.startServer(0, nullptr, "127.0.0.1")) {
        state.SkipWithError("the host cannot listen");
        return;
    }
    const std::uint16_t port = host.net.listeningPort();
    sender.net.startClient("127.0.0.1", port, nullptr);
    receiver.net.startClient("127.0.0.1", port, nullptr);
    // The handshake is refused until both clients hold the level and are ready.
    const auto deadline = Clock::now() + Patience;
    while (!(host.net.connectionCount() == 2 && host.net.startHandshake())) {
        if (Clock::now() > deadline) {
            state.SkipWithError("the clients never became ready");
            return;
        }
        std::this_thread::sleep_for(1ms);
    }
    if (!sender.listener.waitFor(NetStart, 1) || !receiver.listener.waitFor(NetStart, 1)) {
        state.SkipWithError("the game never started");
        return;
    }

    std::vector<double> oneWay;
    std::vector<double> round;
    for (auto _ : state) {
        const int stopsBefore = sender.listener.count(NetAllStopped);
        const int puttsBefore = receiver.listener.count(NetPutt);
        double force = 3.0;
        double angle = 0.25;
        const auto start = Clock::now();
        if (!sender.net.sendPutt(force, angle)) {
            state.SkipWithError("the putt was refused");
            return;
        }
        sender.net.localBallStopped();
        if (!sender.listener.waitFor(NetAllStopped, stopsBefore + 1) ||
            !receiver.listener.waitFor(NetPutt, puttsBefore + 1)) {
            state.SkipWithError("the putt never came round");
            return;
        }
        const auto end = Clock::now();
        const std::chrono::duration<double> elapsed = end - start;
        state.SetIterationTime(elapsed.count());
        round.push_back(elapsed.count() * 1e6);
        oneWay.push_back(
            std::chrono::duration<double>(receiver.listener.lastPutt() - start).count() * 1e6);
        // The receiver's own NetAllStopped comes a moment later; the next putt waits for it,
        // or it would be refused as overlapping this one.
        receiver.listener.waitFor(NetAllStopped, stopsBefore + 1);
    }
    state.counters["round_median_us"] = percentile(round, 0.5);
    state.counters["round_p99_us"] = percentile(round, 0.99);
    state.counters["oneway_median_us"] = percentile(oneWay, 0.5);
    state.counters["oneway_p99_us"] = percentile(oneWay, 0.99);
}
BENCHMARK(PuttRelayedThroughHost)->UseManualTime()->Iterations(400)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
