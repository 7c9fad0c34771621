#include "net/RoomClient.h"

#include <algorithm>
#include <array>

#include "net/MessageFramer.h"
#include "net/NetProtocol.h"

namespace trundlex {

using Clock = std::chrono::steady_clock;

namespace {

// Room for the longest list a host may send: every course name at its longest, and more.
constexpr std::size_t kMaxListBytes = std::size_t{1} << 20;
// How often a wait looks whether it has been cancelled.
constexpr std::chrono::milliseconds kAbortSlice{50};

// Reads one message within the deadline; false when none came (or the peer closed first).
bool receiveMessage(Socket& socket, MessageFramer& framer, NetMessage& message,
                    Clock::time_point deadline, const WakePipe& abort) {
    std::array<char, 4096> buffer{};
    while (!framer.next(message)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (abort.woken() || left.count() <= 0) {
            return false;
        }
        if (!socket.waitReadable(std::min(left, kAbortSlice))) {
            continue;
        }
        const long got = socket.receive(buffer.data(), buffer.size());
        if (got <= 0 ||
            !framer.append(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            return false;
        }
    }
    return true;
}

}  // namespace

CourseListing fetchRoomCourses(const std::string& host, std::uint16_t port,
                               std::chrono::milliseconds timeout, const WakePipe& abort) {
    using Outcome = CourseListing::Outcome;
    CourseListing listing;
    const Clock::time_point deadline = Clock::now() + timeout;
    Socket socket;
    const ConnectResult connected = socket.connectTo(host, port, abort, timeout);
    if (connected != ConnectResult::Connected) {
        listing.outcome = abort.woken() ? Outcome::Cancelled : Outcome::CouldntConnect;
        return listing;
    }
    MessageFramer framer(kMaxListBytes);
    NetMessage message;
    const auto nothing = [&] {
        listing.outcome = abort.woken() ? Outcome::Cancelled : Outcome::NoAnswer;
        return listing;
    };
    if (!receiveMessage(socket, framer, message, deadline, abort)) {
        return nothing();
    }
    if (message.letter != netproto::Hello) {
        listing.outcome = Outcome::NotARoomHost;
        return listing;
    }
    if (message.body != netproto::Version) {
        listing.outcome = Outcome::OtherVersion;
        listing.detail = message.body;
        return listing;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (!socket.sendAll(std::string(1, roomproto::Letter) + "?" + std::string(netproto::Terminator),
                        std::max(left, std::chrono::milliseconds(1))) ||
        !receiveMessage(socket, framer, message, deadline, abort)) {
        return nothing();
    }
    const roomproto::Answer answer = message.letter == roomproto::Letter
                                         ? roomproto::Answer::parse(message.body)
                                         : roomproto::Answer{};
    switch (answer.kind) {
        case roomproto::Answer::Kind::List:
            listing.outcome = Outcome::Listed;
            listing.courses = answer.courses;
            break;
        case roomproto::Answer::Kind::Refused:
            listing.outcome = Outcome::Refused;
            listing.detail = answer.reason;
            break;
        default:
            listing.outcome = Outcome::NotARoomHost;
            break;
    }
    return listing;
}

std::string roomRequestBody(const roomproto::Request& request) {
    switch (request.kind) {
        case roomproto::Request::Kind::Create:
            return "|" + request.course;
        case roomproto::Request::Kind::Join:
            return request.code + "|";
        case roomproto::Request::Kind::Rejoin:
            return roomproto::encodeRejoin(request.code, request.token);
        default:
            return {};
    }
}

std::optional<KnownRefusal> readRefusal(std::string_view reason) {
    using roomproto::Refusal;
    for (const Refusal refusal :
         {Refusal::NoSuchRoom, Refusal::Started, Refusal::Full, Refusal::NoSuchCourse,
          Refusal::NoFreeRoom, Refusal::TooManyAttempts, Refusal::TooManyRooms,
          Refusal::TooManyConnections, Refusal::Removed, Refusal::NoSeat}) {
        // The wording around the subject, as the host writes it.
        constexpr std::string_view marker = "{}";
        const std::string pattern = roomproto::refusalText(refusal, marker);
        const std::size_t at = pattern.find(marker);
        if (at == std::string::npos) {
            if (reason == pattern) {
                return KnownRefusal{refusal, {}};
            }
            continue;
        }
        const std::string_view before = std::string_view(pattern).substr(0, at);
        const std::string_view after = std::string_view(pattern).substr(at + marker.size());
        if (reason.size() > before.size() + after.size() && reason.starts_with(before) &&
            reason.ends_with(after)) {
            return KnownRefusal{
                refusal, std::string(reason.substr(before.size(),
                                                   reason.size() - before.size() - after.size()))};
        }
    }
    return std::nullopt;
}

CourseFetch::~CourseFetch() {
    cancel();
}

void CourseFetch::start(std::string host, std::uint16_t port, std::chrono::milliseconds timeout,
                        Done done) {
    cancel();
    abort_ = std::make_unique<WakePipe>();
    thread_ = std::thread(
        [host = std::move(host), port, timeout, done = std::move(done), abort = abort_.get()] {
            const CourseListing listing = fetchRoomCourses(host, port, timeout, *abort);
            if (!abort->woken()) {
                done(listing);
            }
        });
}

void CourseFetch::cancel() {
    if (abort_ != nullptr) {
        abort_->wake();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    abort_.reset();
}

}  // namespace trundlex
