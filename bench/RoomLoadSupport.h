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
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        // A line names the port (after the time and the start line).
        for (int lines = 0; lines < 4 && port_ == 0; ++lines) {
            std::string line;
            char c = 0;
            while (::read(out[0], &c, 1) == 1 && c != '\n') {
                line += c;
            }
            const std::size_t at = line.find(" listening ");
            if (at != std::string::npos) {
                port_ = static_cast<std::uint16_t>(std::atoi(line.c_str() + at + 11));
            }
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

private:
    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
    std::thread drain_;
};

inline double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
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
