// A room host under load: the real `trundlex-tool serve --rooms` process, 1,000 rooms of four
// clients each, each room's players putting in turn once a second. A load client on Asio (one
// thread, one connection per client) speaks the protocol by hand. Reported: the relay time
// from a putt sent until each other client of the room has it (through the host), the whole
// round until the host's "every ball stopped" comes back (the host rolls each putt to follow
// the game, so this includes its roll), and the host's resident memory. The second run puts
// half of each room's clients on WebSockets to the host's /play, as browsers (Boost.Beast, on
// the same thread), and reports the relay time by the transport of the client that receives
// the putt, with the host's own relay histogram from /metrics. The third does the first's
// while one computer attacks the host in every way it knows (RoomAttack.h).
// Run: build/bin/room_load_bench [--benchmark_filter=...]; ROOM_LOAD_ROOMS and
// ROOM_LOAD_SECONDS change the size of the run.
#include <benchmark/benchmark.h>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

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

namespace websocket = boost::beast::websocket;

struct LoadRoom;

// How a client reaches the host: a TCP connection of its own to the game's port, or, as a
// browser does, a WebSocket to the web side's /play whose binary messages carry the same bytes.
enum Transport : std::size_t { Tcp = 0, WebSocket = 1 };

// One client of a room: reads messages and answers as a game would whose balls stop at once.
struct LoadClient : std::enable_shared_from_this<LoadClient> {
    LoadClient(asio::io_context& io, LoadRoom& room, int seat, Transport transport)
        : socket(io),
          ws(transport == WebSocket ? std::make_unique<websocket::stream<tcp::socket>>(io)
                                    : nullptr),
          room(room),
          seat(seat) {}
    Transport transport() const { return ws != nullptr ? WebSocket : Tcp; }
    tcp::socket& lowest() { return ws != nullptr ? ws->next_layer() : socket; }
    void send(std::string_view message) {
        const bool idle = out.empty();
        out.push_back(std::string(message) + std::string(Terminator));
        if (idle) {
            writeNext();
        }
    }
    void writeNext() {
        auto written = [self = shared_from_this()](const ErrorCode& error, std::size_t) {
            self->out.pop_front();
            if (!error && !self->out.empty()) {
                self->writeNext();
            }
        };
        if (ws != nullptr) {
            // One message each, as the browser game sends them.
            ws->async_write(asio::buffer(out.front()), std::move(written));
        } else {
            asio::async_write(socket, asio::buffer(out.front()), std::move(written));
        }
    }
    void read();
    void handle(const std::string& message);

    tcp::socket socket;
    std::unique_ptr<websocket::stream<tcp::socket>> ws;
    LoadRoom& room;
    const int seat;
    std::array<char, 8192> buffer{};
    boost::beast::flat_buffer wsBuffer;
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
    // The web side, where the WebSocket clients go (none: every client on TCP).
    std::optional<tcp::endpoint> web;
    std::vector<std::unique_ptr<LoadRoom>> rooms;
    int roomsStarted = 0;
    int refused = 0;
    bool measuring = false;
    // By the transport of the client that received the putt, and of the one that putted.
    std::array<std::vector<double>, 2> relayUs;
    std::array<std::vector<double>, 2> roundUs;
    std::array<int, 2> clients{};
    std::mt19937 random{7};
    // How late the load client's own loop runs a timer due every millisecond: what of a
    // relay's time is this program's, not the host's.
    std::vector<double> loopLagUs;
    std::optional<asio::steady_timer> lagProbe;

    void probeLag(Clock::time_point due) {
        lagProbe->expires_at(due);
        lagProbe->async_wait([this, due](const ErrorCode& error) {
            if (error) {
                return;
            }
            const auto now = Clock::now();
            if (measuring) {
                loopLagUs.push_back(std::chrono::duration<double, std::micro>(now - due).count());
            }
            probeLag(now + 1ms);
        });
    }

    void open(LoadRoom& room, int seat, std::string_view request) {
        // With a web side, every room's odd seats are browsers: two of four.
        const Transport transport = web && seat % 2 == 1 ? WebSocket : Tcp;
        ++clients[transport];
        auto client = std::make_shared<LoadClient>(io, room, seat, transport);
        room.clients.push_back(client);
        const std::string first = std::string(request);
        ErrorCode bindError;
        client->lowest().open(tcp::v4(), bindError);
        client->lowest().bind(tcp::endpoint(asio::ip::make_address(room.from), 0), bindError);
        const tcp::endpoint to = transport == WebSocket ? *web : host;
        client->lowest().async_connect(to, [client, first, to](const ErrorCode& error) {
            if (error) {
                ++client->room.run.refused;
                return;
            }
            client->lowest().set_option(tcp::no_delay(true));
            if (client->ws == nullptr) {
                client->send(first);
                client->read();
                return;
            }
            client->ws->binary(true);
            client->ws->async_handshake(
                to.address().to_string() + ":" + std::to_string(to.port()), "/play",
                [client, first](const ErrorCode& failed) {
                    if (failed) {
                        ++client->room.run.refused;
                        return;
                    }
                    client->send(first);
                    client->read();
                });
        });
    }
};

void LoadClient::read() {
    auto got = [self = shared_from_this()](const ErrorCode& error, std::size_t size) {
        if (error) {
            return;
        }
        const auto handle = [&](const std::string& message) { self->handle(message); };
        if (self->ws != nullptr) {
            const auto data = self->wsBuffer.data();
            takeMessages(self->received, static_cast<const char*>(data.data()), data.size(),
                         handle);
            self->wsBuffer.clear();
        } else {
            takeMessages(self->received, self->buffer.data(), size, handle);
        }
        self->read();
    };
    if (ws != nullptr) {
        ws->async_read(wsBuffer, std::move(got));
    } else {
        socket.async_read_some(asio::buffer(buffer), std::move(got));
    }
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
                run.relayUs[transport()].push_back(
                    std::chrono::duration<double, std::micro>(Clock::now() - room.puttAt).count());
            }
            send("Q");
            break;
        case 'Q':
            // Every ball has stopped: the round is complete.
            if (seat == room.putter && room.putting) {
                if (run.measuring) {
                    run.roundUs[transport()].push_back(
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

void runRooms(benchmark::State& state, bool attacked, bool webSockets = false) {
    const int roomCount = envOr("ROOM_LOAD_ROOMS", 1000);
    const int seconds = envOr("ROOM_LOAD_SECONDS", 10);
    const auto folder = writeCourse();
    HostProcess host;
    // Default limits: the host as a public one runs.
    std::vector<std::string> args = {TRUNDLEX_TOOL_PATH, "serve", "--rooms", "--port", "0",
                                     "--levels", (folder / "levels").string(), "--courses",
                                     (folder / "courses").string(), "--max-rooms",
                                     std::to_string(roomCount + 10)};
    if (webSockets) {
        args.insert(args.end(), {"--http-port", "0", "--http-address", "127.0.0.1"});
    }
    if (!host.start(args)) {
        state.SkipWithError("the host did not start");
        return;
    }
    const long idleKib = host.residentKib();
    LoadRun run;
    run.host = tcp::endpoint(asio::ip::make_address("127.0.0.1"), host.port());
    if (webSockets) {
        run.web = tcp::endpoint(asio::ip::make_address("127.0.0.1"), host.httpPort());
    }
    HostMetrics before;
    HostMetrics after;
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
            state.SkipWithError(("not every room started: " + std::to_string(run.roomsStarted) +
                                 " of " + std::to_string(roomCount) + ", " +
                                 std::to_string(run.refused) + " clients refused")
                                    .c_str());
            break;
        }
        peak = std::make_unique<PeakMemory>(host);
        if (attacked) {
            attack = std::make_unique<RoomAttack>(host.port());
            attack->start();
        }
        run.io.run_for(2s);
        if (webSockets) {
            before = readHostMetrics(host.httpPort());
        }
        const double hostCpuBefore = host.cpuSeconds();
        const MachineTicks machineBefore = MachineTicks::now();
        const auto measuredFrom = Clock::now();
        run.measuring = true;
        run.lagProbe.emplace(run.io);
        run.probeLag(Clock::now() + 1ms);
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
        // Of one processor, and of the machine's (the load client and other work included).
        state.counters["host_cpu_pct"] =
            100 * (host.cpuSeconds() - hostCpuBefore) /
            std::chrono::duration<double>(Clock::now() - measuredFrom).count();
        state.counters["machine_busy_pct"] =
            100 * MachineTicks::now().busyShareSince(machineBefore);
        if (webSockets) {
            after = readHostMetrics(host.httpPort());
        }
    }
    const auto both = [](const std::array<std::vector<double>, 2>& values) {
        std::vector<double> all = values[Tcp];
        all.insert(all.end(), values[WebSocket].begin(), values[WebSocket].end());
        return all;
    };
    state.counters["rooms"] = roomCount;
    state.counters["putts"] = static_cast<double>(both(run.roundUs).size());
    state.counters["relay_p50_us"] = percentile(both(run.relayUs), 0.5);
    state.counters["relay_p99_us"] = percentile(both(run.relayUs), 0.99);
    state.counters["round_p50_us"] = percentile(both(run.roundUs), 0.5);
    state.counters["round_p99_us"] = percentile(both(run.roundUs), 0.99);
    state.counters["client_lag_p99_us"] = percentile(run.loopLagUs, 0.99);
    state.counters["client_lag_max_us"] = percentile(run.loopLagUs, 1.0);
    if (webSockets) {
        state.counters["clients_tcp"] = run.clients[Tcp];
        state.counters["clients_ws"] = run.clients[WebSocket];
        // The host's own count, while every client was still there.
        state.counters["host_clients_tcp"] = after.tcpClients;
        state.counters["host_clients_ws"] = after.webSocketClients;
        for (const Transport t : {Tcp, WebSocket}) {
            const std::string name = t == Tcp ? "tcp" : "ws";
            state.counters["relay_to_" + name + "_p50_us"] = percentile(run.relayUs[t], 0.5);
            state.counters["relay_to_" + name + "_p99_us"] = percentile(run.relayUs[t], 0.99);
            state.counters["round_from_" + name + "_p99_us"] = percentile(run.roundUs[t], 0.99);
        }
        // From the host's read of the putt to its queueing for the room's others, to a bucket.
        state.counters["host_relays"] = after.relayCount - before.relayCount;
        state.counters["host_relay_p50_le_us"] = after.relayQuantile(before, 0.5) * 1e6;
        state.counters["host_relay_p99_le_us"] = after.relayQuantile(before, 0.99) * 1e6;
        state.counters["host_relay_mean_us"] =
            after.relayCount > before.relayCount
                ? (after.relaySumSeconds - before.relaySumSeconds) /
                      (after.relayCount - before.relayCount) * 1e6
                : 0.0;
    }
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

void ThousandRoomsOfFourHalfOnWebSockets(benchmark::State& state) {
    runRooms(state, false, true);
}
BENCHMARK(ThousandRoomsOfFourHalfOnWebSockets)->Iterations(1)->Unit(benchmark::kSecond);

void ThousandRoomsWhileOneComputerAttacks(benchmark::State& state) {
    runRooms(state, true);
}
BENCHMARK(ThousandRoomsWhileOneComputerAttacks)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace trundlex::bench

BENCHMARK_MAIN();
