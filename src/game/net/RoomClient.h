#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "net/RoomProtocol.h"
#include "net/Socket.h"

namespace trundlex {

// What a room host said when asked for its courses ("W?"), or why it said nothing useful.
struct CourseListing {
    enum class Outcome : std::int32_t {
        Listed,
        // No address of the host answered in time (or the name was not found).
        CouldntConnect,
        // Connected, but the host did not greet or answer in time, or closed the connection.
        NoAnswer,
        // The host speaks the game's protocol, but not the room messages (a plain server).
        NotARoomHost,
        // The host runs another version of the game: `detail` is its version.
        OtherVersion,
        // The host turned the request down: `detail` is its reason.
        Refused,
        // The fetch was cancelled before it ended.
        Cancelled,
    };
    Outcome outcome = Outcome::NoAnswer;
    std::vector<std::string> courses;
    std::string detail;
};

// Asks the room host at `host`:`port` for its courses and closes the connection, all within
// `timeout`; gives up soon after `abort` is woken. Blocks the calling thread.
CourseListing fetchRoomCourses(const std::string& host, std::uint16_t port,
                               std::chrono::milliseconds timeout, const WakePipe& abort);

// The body of the "W" message for a request to create, join or rejoin a room; empty for any
// other.
std::string roomRequestBody(const roomproto::Request& request);

// A refusal a host gave (roomproto::Answer::reason) read back as one of the refusals it
// knows, so that a user interface can say it in its own language; nullopt for any other
// text, which is then shown as the host wrote it.
struct KnownRefusal {
    roomproto::Refusal refusal;
    // The code, or the course's name for NoSuchCourse; empty for NoFreeRoom.
    std::string subject;
};
std::optional<KnownRefusal> readRefusal(std::string_view reason);

// Fetches a host's course list on a thread of its own, so that a window stays responsive
// while a far host is slow to answer. One fetch at a time: a new one cancels the one before.
class CourseFetch {
public:
    using Done = std::function<void(const CourseListing&)>;

    CourseFetch() = default;
    // Cancels a fetch under way and waits for its thread (which gives up soon).
    ~CourseFetch();
    CourseFetch(const CourseFetch&) = delete;
    CourseFetch& operator=(const CourseFetch&) = delete;

    // Starts fetching; `done` is called on the fetch's thread with the listing, unless the
    // fetch was cancelled first.
    void start(std::string host, std::uint16_t port, std::chrono::milliseconds timeout, Done done);
    // Ends the fetch under way without calling its `done`; waits for its thread.
    void cancel();

private:
    std::unique_ptr<WakePipe> abort_;
    std::thread thread_;
};

}  // namespace trundlex
