// A room host under load: the real `trundlex-tool serve --rooms` process, 1,000 rooms of four
// clients each, every room's creator putting once a second. A load client on Asio (one
// thread, one connection per client) speaks the protocol by hand. Reported: the relay time
// from a putt sent until each other client of the room has it (through the host), the whole
// round until the host's "every ball stopped" comes back (the host rolls each putt to follow
// the game, so this includes its roll), and the host's resident memory.
// Run: build/bin/room_load_bench [--benchmark_filter=...]; ROOM_LOAD_ROOMS and
// ROOM_LOAD_SECONDS change the size of the run.
#define ASIO_STANDALONE
#define ASIO_NO_DEPRECATED
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <asio.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "level/Archive.h"
#include "library/Course.h"
#include "net/NetProtocol.h"
#include "support/AsciiLevel.h"
#include "util/RandomSource.h"

extern char** environ;

namespace trundlex {
namespace {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr std::string_view Terminator = "\x07\x07";
// A short putt: the host rolls every putt to follow the game, and a long roll on its two
// delivery threads would be measured as relay time of the rooms waiting behind it.
constexpr std::string_view Putt = "P0.500000|0.000000";

int envOr(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::max(1, std::atoi(value)) : fallback;
}

// The host process, its output drained on a thread of its own (it prints a line per event).
class HostProcess {
public:
    bool start(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe(out) != 0) {
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<char*> argv;
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (failed != 0) {
            ::close(out[0]);
            return false;
        }
        // The first line names the port.
        std::string line;
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') {
            line += c;
        }
        if (line.starts_with("listening ")) {
            port_ = static_cast<std::uint16_t>(std::atoi(line.c_str() + 10));
        }
        drain_ = std::thread([fd = out[0]] {
            char buffer[65536];
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
            ::close(fd);
        });
        return port_ != 0;
    }
    ~HostProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (drain_.joinable()) {
            drain_.join();
        }
    }
    std::uint16_t port() const { return port_; }
    long residentKib() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmRSS:")) {
                return std::atol(line.c_str() + 6);
            }
        }
        return 0;
    }

private:
    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
    std::thread drain_;
};

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
                          [self = shared_from_this()](const asio::error_code& error, std::size_t) {
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
    std::string code;
    std::vector<std::shared_ptr<LoadClient>> clients;
    int answered = 0;
    int startedClients = 0;
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
        client->socket.async_connect(host, [client, first](const asio::error_code& error) {
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
                                                     const asio::error_code& error, std::size_t n) {
        if (error) {
            return;
        }
        self->received.append(self->buffer.data(), n);
        std::size_t end = 0;
        while ((end = self->received.find(Terminator)) != std::string::npos) {
            const std::string message = self->received.substr(0, end);
            self->received.erase(0, end + Terminator.size());
            self->handle(message);
        }
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
            if (message.size() < 2 || message[1] == '|') {
                ++run.refused;
                return;
            }
            send("NP" + std::to_string(seat) + "|255|1|0|");
            send("H" + std::string(netproto::Version));
            send("R");
            if (seat == 0) {
                room.code = message.substr(1, 6);
                for (int s = 1; s < 4; ++s) {
                    run.open(room, s, "W" + room.code + "|");
                }
            }
            // The creator asks for the start once everybody is in the room.
            if (++room.answered == 4) {
                room.clients.front()->send("Y");
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
            if (seat == 0 && room.putting) {
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
    timer.async_wait([this](const asio::error_code& error) {
        if (error) {
            return;
        }
        putting = true;
        puttAt = Clock::now();
        clients.front()->send(Putt);
        // The putter's own ball stops at once too.
        clients.front()->send("Q");
    });
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// A course of one open level, written where the host reads it.
std::filesystem::path writeCourse() {
    const auto folder =
        std::filesystem::temp_directory_path() / ("room-load-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "levels");
    std::filesystem::create_directories(folder / "courses");
    Level level = testing::asciiLevel(
        {"###########", "#.........#", "#.......O.#", "#.........#", "###########"});
    level.setId("room-load-level");
    level.setStart(1.5, 2.5);
    std::ofstream(folder / "levels/load.lev", std::ios::binary)
        << encodeArchiveString(level.toText());
    Course course;
    course.setPath((folder / "courses/load.cou").string());
    course.setName("Load");
    course.addLevelId(level.id());
    SeededRandom random(7);
    course.save(random);
    return folder;
}

void ThousandRoomsOfFourPuttingOnceASecond(benchmark::State& state) {
    const int roomCount = envOr("ROOM_LOAD_ROOMS", 1000);
    const int seconds = envOr("ROOM_LOAD_SECONDS", 10);
    const auto folder = writeCourse();
    HostProcess host;
    if (!host.start({TRUNDLEX_TOOL_PATH, "serve", "--rooms", "--port", "0", "--levels",
                     (folder / "levels").string(), "--courses", (folder / "courses").string(),
                     "--max-rooms", std::to_string(roomCount)})) {
        state.SkipWithError("the host did not start");
        return;
    }
    const long idleKib = host.residentKib();
    LoadRun run;
    run.host = tcp::endpoint(asio::ip::make_address("127.0.0.1"), host.port());
    for (auto _ : state) {
        // Rooms open a few at a time, as players would arrive, not all 4,000 at once.
        for (int i = 0; i < roomCount; ++i) {
            run.rooms.push_back(std::make_unique<LoadRoom>(run, run.io));
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
        run.io.run_for(2s);
        run.measuring = true;
        run.io.run_for(std::chrono::seconds(seconds));
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
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(ThousandRoomsOfFourPuttingOnceASecond)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
