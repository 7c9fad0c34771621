// A room host under load: the real `trundlex-tool serve --rooms` process, 1,000 rooms of four
// clients each, each room's players putting in turn once a second. A load client on Asio (one
// thread, one connection per client) speaks the protocol by hand. Reported: the relay time
// from a putt sent until each other client of the room has it (through the host), the whole
// round until the host's "every ball stopped" comes back (the host rolls each putt to follow
// the game, so this includes its roll), and the host's resident memory. The second run does
// the same while one computer attacks the host in every way it knows (RoomAttack.h).
// Run: build/bin/room_load_bench [--benchmark_filter=...]; ROOM_LOAD_ROOMS and
// ROOM_LOAD_SECONDS change the size of the run.
#include <benchmark/benchmark.h>

#include <array>
#include <deque>
#include <memory>
#include <random>
#include <sstream>

#include "RoomAttack.h"
#include "RoomLoadSupport.h"
#include "net/NetProtocol.h"

namespace trundlex::bench {
namespace {

struct LoadRoom;

// One client of a room: reads messages and answers as a game would whose balls stop at once.
struct LoadClient : std::enable_shared_from_this<LoadClient> {
    LoadClient(asio::io_context& io, LoadRoom& room, int seat)
        : socket(io), room(room), seat(seat) {}
    void send(std::string_view message) {
        const bool idle = out.empty();
        out.push_back(std::string(message) + std::string(Terminator));
        if (idle) {
            writeNext();
        }
    }
    void writeNext() {
        asio::async_write(socket, asio::buffer(out.front()),
                          [self = shared_from_this()](const ErrorCode& error, std::size_t) {
                              self->out.pop_front();
                              if (!error && !self->out.empty()) {
                                  self->writeNext();
                              }
                          });
    }
    void read();
    void handle(const std::string& message);

    tcp::socket socket;
    LoadRoom& room;
    const int seat;
    std::array<char, 8192> buffer{};
    std::string received;
    std::deque<std::string> out;
};

struct LoadRun;

struct LoadRoom {
    LoadRoom(LoadRun& run, asio::io_context& io) : run(run), timer(io) {}
    LoadRun& run;
    // The room's computer: its four clients leave from this loopback address, as friends at
    // one computer would (the host allows one address 16 connections and 4 rooms).
    std::string from;
    std::string code;
    std::vector<std::shared_ptr<LoadClient>> clients;
    int answered = 0;
    int startedClients = 0;
    // The seats in the match's turn order (from the host's player list) and the next turn.
    std::vector<int> order;
    int turn = 0;
    int putter = 0;
    bool putting = false;
    Clock::time_point puttAt;
    asio::steady_timer timer;
    void puttSoon(Clock::duration after);
};

struct LoadRun {
    asio::io_context io;
    tcp::endpoint host;
    std::vector<std::unique_ptr<LoadRoom>> rooms;
    int roomsStarted = 0;
    int refused = 0;
    bool measuring = false;
    std::vector<double> relayUs;
    std::vector<double> roundUs;
    std::mt19937 random{7};

    void open(LoadRoom& room, int seat, std::string_view request) {
        auto client = std::make_shared<LoadClient>(io, room, seat);
        room.clients.push_back(client);
        const std::string first = std::string(request);
        ErrorCode bindError;
        client->socket.open(tcp::v4(), bindError);
        client->socket.bind(tcp::endpoint(asio::ip::make_address(room.from), 0), bindError);
        client->socket.async_connect(host, [client, first](const ErrorCode& error) {
            if (error) {
                ++client->room.run.refused;
                return;
            }
            client->socket.set_option(tcp::no_delay(true));
            client->send(first);
            client->read();
        });
    }
};

void LoadClient::read() {
    socket.async_read_some(asio::buffer(buffer), [self = shared_from_this()](
                                                     const ErrorCode& error, std::size_t n) {
        if (error) {
            return;
        }
        takeMessages(self->received, self->buffer.data(), n,
                     [&](const std::string& message) { self->handle(message); });
        self->read();
    });
}

void LoadClient::handle(const std::string& message) {
    if (message.empty()) {
        return;
    }
    LoadRun& run = room.run;
    switch (message[0]) {
        case 'W':
            // The room's answer is "code|course", a refusal "|reason"; the seat token ("W+")
            // that follows the answer, and any other news of seats, change nothing here.
            if (message.size() < 2 || message[1] == '|') {
                ++run.refused;
                return;
            }
            if (!isRoomAnswer(message)) {
                break;
            }
            send("NP" + std::to_string(seat) + "|255|1|0|");
            send("H" + std::string(netproto::Version));
            send("R");
            if (seat == 0) {
                room.code = message.substr(1, roomproto::CodeLength);
                for (int s = 1; s < 4; ++s) {
                    run.open(room, s, "W" + room.code + "|");
                }
            }
            // The creator asks for the start once everybody is in the room.
            if (++room.answered == 4) {
                room.clients.front()->send("Y");
            }
            break;
        case 'O':
            // The players "P<seat>" in turn order: each room putts in turn, as the host
            // relays only the putt of the player who has it.
            if (seat == 0) {
                room.order.clear();
                std::istringstream fields(message.substr(1));
                int field = 0;
                for (std::string text; std::getline(fields, text, '|'); ++field) {
                    if (field % 5 == 0 && text.size() > 1 && text[0] == 'P') {
                        room.order.push_back(std::atoi(text.c_str() + 1));
                    }
                }
            }
            break;
        case 'G':
            send("D");
            break;
        case 'S':
            if (++room.startedClients == 4) {
                ++run.roomsStarted;
                room.puttSoon(std::chrono::milliseconds(run.random() % 1000));
            }
            break;
        case 'P':
            if (run.measuring && room.putting) {
                run.relayUs.push_back(
                    std::chrono::duration<double, std::micro>(Clock::now() - room.puttAt).count());
            }
            send("Q");
            break;
        case 'Q':
            // Every ball has stopped: the round is complete.
            if (seat == room.putter && room.putting) {
                if (run.measuring) {
                    run.roundUs.push_back(
                        std::chrono::duration<double, std::micro>(Clock::now() - room.puttAt)
                            .count());
                }
                room.putting = false;
                room.puttSoon(1s - (Clock::now() - room.puttAt));
            }
            break;
        default:
            break;
    }
}

void LoadRoom::puttSoon(Clock::duration after) {
    timer.expires_after(std::max<Clock::duration>(after, Clock::duration::zero()));
    timer.async_wait([this](const ErrorCode& error) {
        if (error) {
            return;
        }
        putting = true;
        puttAt = Clock::now();
        putter = order.size() == clients.size() ? order[static_cast<std::size_t>(turn)] : 0;
        turn = (turn + 1) % static_cast<int>(clients.size());
        clients[static_cast<std::size_t>(putter)]->send(Putt);
        // The putter's own ball stops at once too.
        clients[static_cast<std::size_t>(putter)]->send("Q");
    });
}

// Samples the host's resident memory every 100 ms on a thread of its own; the peak.
class PeakMemory {
public:
    explicit PeakMemory(const HostProcess& host)
        : thread_([this, &host] {
              while (!stop_) {
                  peak_ = std::max(peak_.load(), host.residentKib());
                  std::this_thread::sleep_for(100ms);
              }
          }) {}
    ~PeakMemory() {
        stop_ = true;
        thread_.join();
    }
    long peakKib() const { return peak_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<long> peak_{0};
    std::thread thread_;
};

void runRooms(benchmark::State& state, bool attacked) {
    const int roomCount = envOr("ROOM_LOAD_ROOMS", 1000);
    const int seconds = envOr("ROOM_LOAD_SECONDS", 10);
    const auto folder = writeCourse();
    HostProcess host;
    // Default limits: the host as a public one runs.
    if (!host.start({TRUNDLEX_TOOL_PATH, "serve", "--rooms", "--port", "0", "--levels",
                     (folder / "levels").string(), "--courses", (folder / "courses").string(),
                     "--max-rooms", std::to_string(roomCount + 10)})) {
        state.SkipWithError("the host did not start");
        return;
    }
    const long idleKib = host.residentKib();
    LoadRun run;
    run.host = tcp::endpoint(asio::ip::make_address("127.0.0.1"), host.port());
    std::unique_ptr<PeakMemory> peak;
    std::unique_ptr<RoomAttack> attack;
    for (auto _ : state) {
        // Rooms open a few at a time, as players would arrive, not all 4,000 at once.
        for (int i = 0; i < roomCount; ++i) {
            run.rooms.push_back(std::make_unique<LoadRoom>(run, run.io));
            run.rooms.back()->from =
                "127.1." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
            run.open(*run.rooms.back(), 0, "W|");
            if (i % 20 == 19) {
                run.io.run_for(20ms);
            }
        }
        const auto setupLimit = Clock::now() + 120s;
        while (run.roomsStarted < roomCount && run.refused == 0 && Clock::now() < setupLimit) {
            run.io.run_for(100ms);
        }
        if (run.roomsStarted < roomCount) {
            state.SkipWithError("not every room started");
            break;
        }
        peak = std::make_unique<PeakMemory>(host);
        if (attacked) {
            attack = std::make_unique<RoomAttack>(host.port());
            attack->start();
        }
        run.io.run_for(2s);
        run.measuring = true;
        run.io.run_for(std::chrono::seconds(seconds));
        if (attack != nullptr) {
            // The rooms play on (and are measured) until the attacker has sent all its
            // 64 MiB of aims, for at most a minute more.
            const auto limit = Clock::now() + 60s;
            while (attack->aimBytesSent() < (std::size_t{64} << 20) && Clock::now() < limit) {
                run.io.run_for(500ms);
            }
        }
        run.measuring = false;
    }
    state.counters["rooms"] = roomCount;
    state.counters["putts"] = static_cast<double>(run.roundUs.size());
    state.counters["relay_p50_us"] = percentile(run.relayUs, 0.5);
    state.counters["relay_p99_us"] = percentile(run.relayUs, 0.99);
    state.counters["round_p50_us"] = percentile(run.roundUs, 0.5);
    state.counters["round_p99_us"] = percentile(run.roundUs, 0.99);
    state.counters["host_idle_MiB"] = static_cast<double>(idleKib) / 1024.0;
    state.counters["host_MiB"] = static_cast<double>(host.residentKib()) / 1024.0;
    if (peak != nullptr) {
        state.counters["host_peak_MiB"] = static_cast<double>(peak->peakKib()) / 1024.0;
    }
    if (attack != nullptr) {
        const RoomAttack::Report report = attack->stop();
        state.counters["flood_connections_kept"] = report.floodKept;
        state.counters["flood_connections_refused"] = report.floodRefused;
        state.counters["rooms_created_by_attacker"] = report.roomsCreated;
        state.counters["rooms_refused_to_attacker"] = report.roomsRefused;
        state.counters["code_checks"] = report.codeChecks;
        state.counters["guesses_locked_out"] = report.guessesLockedOut;
        state.counters["aims_sent_MiB"] = report.aimBytes / 1048576.0;
        state.counters["aims_relayed_per_mate"] = report.aimsRelayed;
        state.counters["other_create_and_join_ms"] = report.otherCreateJoinMs;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void ThousandRoomsOfFourPuttingOnceASecond(benchmark::State& state) {
    runRooms(state, false);
}
BENCHMARK(ThousandRoomsOfFourPuttingOnceASecond)->Iterations(1)->Unit(benchmark::kSecond);

void ThousandRoomsWhileOneComputerAttacks(benchmark::State& state) {
    runRooms(state, true);
}
BENCHMARK(ThousandRoomsWhileOneComputerAttacks)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace trundlex::bench

BENCHMARK_MAIN();
