#pragma once
// What the room host's benchmarks share: the real host process with its output drained, a
// course to offer, percentiles, and the wire's terminator.
#ifndef BOOST_ASIO_NO_DEPRECATED
#define BOOST_ASIO_NO_DEPRECATED
#endif
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <boost/asio.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "level/Archive.h"
#include "library/Course.h"
#include "net/RoomProtocol.h"
#include "support/AsciiLevel.h"
#include "util/RandomSource.h"

extern char** environ;

namespace trundlex::bench {

namespace asio = boost::asio;
using ErrorCode = boost::system::error_code;

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline constexpr std::string_view Terminator = "\x07\x07";
// A short putt: the host rolls every putt to follow the game, and a long roll on its two
// delivery threads would be measured as relay time of the rooms waiting behind it.
inline constexpr std::string_view Putt = "P0.500000|0.000000";

// Takes `size` received bytes into `received` and calls `handle` with each message now
// complete (without its terminator).
template <typename Handle>
void takeMessages(std::string& received, const char* bytes, std::size_t size, Handle&& handle) {
    received.append(bytes, size);
    std::size_t end = 0;
    while ((end = received.find(Terminator)) != std::string::npos) {
        const std::string message = received.substr(0, end);
        received.erase(0, end + Terminator.size());
        handle(message);
    }
}

// Whether `message` is a room's answer ("W" code "|" course): not a refusal ("W|reason"),
// nor the seat token ("W+") or other news of seats that follow it.
inline bool isRoomAnswer(std::string_view message) {
    return message.starts_with(roomproto::Letter) &&
           roomproto::Answer::parse(message.substr(1)).kind == roomproto::Answer::Kind::Room;
}

inline int envOr(const char* name, int fallback) {
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
        // A line names the port (after the time and the start line), the next one the web
        // side's when it was asked for.
        const bool web = std::find(args.begin(), args.end(), "--http-port") != args.end();
        for (int lines = 0; lines < 6 && (port_ == 0 || (web && httpPort_ == 0)); ++lines) {
            std::string line;
            char c = 0;
            while (::read(out[0], &c, 1) == 1 && c != '\n') {
                line += c;
            }
            if (const std::size_t at = line.find(" listening http "); at != std::string::npos) {
                httpPort_ = static_cast<std::uint16_t>(std::atoi(line.c_str() + at + 16));
            } else if (const std::size_t game = line.find(" listening ");
                       game != std::string::npos) {
                port_ = static_cast<std::uint16_t>(std::atoi(line.c_str() + game + 11));
            }
        }
        drain_ = std::thread([fd = out[0]] {
            char buffer[65536];
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
            ::close(fd);
        });
        return port_ != 0 && (!web || httpPort_ != 0);
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
    // The web side's port (--http-port), 0 without one.
    std::uint16_t httpPort() const { return httpPort_; }
    pid_t pid() const { return pid_; }
    long residentKib() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmRSS:")) {
                return std::atol(line.c_str() + 6);
            }
        }
        return 0;
    }
    // The processor time the host has used so far (user and system), in seconds.
    double cpuSeconds() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string text;
        std::getline(stat, text);
        // The fields after the command's name (in parentheses, which may hold spaces);
        // utime and stime are the 14th and 15th of the line.
        std::istringstream fields(text.substr(std::min(text.size(), text.rfind(')') + 2)));
        std::string field;
        double ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            ticks += i >= 14 ? std::atof(field.c_str()) : 0.0;
        }
        return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }

private:
    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
    std::uint16_t httpPort_ = 0;
    std::thread drain_;
};

// How busy the machine's processors are, from /proc/stat: busy and all time so far, in ticks
// (the share busy between two readings is their difference's quotient).
struct MachineTicks {
    double busy = 0;
    double all = 0;
    static MachineTicks now() {
        std::ifstream stat("/proc/stat");
        std::string cpu;
        stat >> cpu;
        MachineTicks ticks;
        // user nice system idle iowait irq softirq steal
        for (int i = 0; i < 8; ++i) {
            double value = 0;
            stat >> value;
            ticks.all += value;
            ticks.busy += i == 3 || i == 4 ? 0 : value;
        }
        return ticks;
    }
    double busyShareSince(const MachineTicks& before) const {
        return all > before.all ? (busy - before.busy) / (all - before.all) : 0;
    }
};

inline double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// What the host's /metrics tells of its relays and clients.
struct HostMetrics {
    bool read = false;
    double tcpClients = 0;
    double webSocketClients = 0;
    // trundlex_relay_latency_seconds: upper bound (seconds) and cumulative count per bucket.
    std::vector<std::pair<double, double>> relayBuckets;
    double relayCount = 0;
    double relaySumSeconds = 0;

    // Of the relays counted since `before`: the upper bound (seconds) of the first bucket that
    // holds `share` of them (the host's percentile, to a bucket); 0 when none was counted.
    double relayQuantile(const HostMetrics& before, double share) const {
        const double count = relayCount - before.relayCount;
        for (std::size_t i = 0; i < relayBuckets.size() && count > 0; ++i) {
            const double earlier =
                i < before.relayBuckets.size() ? before.relayBuckets[i].second : 0;
            if (relayBuckets[i].second - earlier >= share * count) {
                return relayBuckets[i].first;
            }
        }
        return 0;
    }
};

// GET /metrics from the host's web side on this machine (nothing read when it cannot be).
inline HostMetrics readHostMetrics(std::uint16_t webPort) {
    HostMetrics metrics;
    asio::io_context io;
    tcp::socket socket(io);
    ErrorCode error;
    socket.connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), webPort), error);
    const std::string request =
        "GET /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (!error) {
        asio::write(socket, asio::buffer(request), error);
    }
    std::string answer;
    if (!error) {
        // To the end: the host closes after its answer.
        asio::read(socket, asio::dynamic_buffer(answer), error);
    }
    const std::string_view relay = "trundlex_relay_latency_seconds";
    std::size_t start = answer.find("\r\n\r\n");
    for (std::size_t end = 0; start != std::string::npos && start < answer.size();
         start = end + 1) {
        end = std::min(answer.find('\n', start), answer.size());
        const std::string line = answer.substr(start, end - start);
        const std::size_t space = line.rfind(' ');
        if (line.empty() || line[0] == '#' || space == std::string::npos) {
            continue;
        }
        const double value = std::strtod(line.c_str() + space + 1, nullptr);
        const std::string name = line.substr(0, space);
        metrics.read = true;
        if (name == "trundlex_clients{transport=\"tcp\"}") {
            metrics.tcpClients = value;
        } else if (name == "trundlex_clients{transport=\"websocket\"}") {
            metrics.webSocketClients = value;
        } else if (name.starts_with(std::string(relay) + "_bucket{le=\"")) {
            // Between `_bucket{le="` and `"}`.
            const std::string bound =
                name.substr(relay.size() + 12, name.size() - relay.size() - 14);
            metrics.relayBuckets.emplace_back(
                bound == "+Inf" ? HUGE_VAL : std::strtod(bound.c_str(), nullptr), value);
        } else if (name == std::string(relay) + "_count") {
            metrics.relayCount = value;
        } else if (name == std::string(relay) + "_sum") {
            metrics.relaySumSeconds = value;
        }
    }
    return metrics;
}

// A course of one open level, written where the host reads it.
inline std::filesystem::path writeCourse() {
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

}  // namespace trundlex::bench
