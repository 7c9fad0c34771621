#pragma once
// A room host's client spoken by hand over loopback (IPv4 or IPv6): requests a room, joins
// with one player, gets ready, and reads what the host sends. Every wait is bounded.
#include <optional>
#include <string>

#include "game/net/NetTestSupport.h"
#include "net/NetProtocol.h"
#include "net/RoomProtocol.h"
#include "net/TcpListener.h"

namespace trundlex::testing {

// This machine can listen on the IPv6 loopback address.
inline bool hasIpv6Loopback() {
    return TcpListener().open("::1", 0);
}

class RoomPeer : public RawPeer {
public:
    // Connected to `host`:`port` (nothing else happens on failure: the test's checks fail),
    // from the local address `from` when one is given.
    RoomPeer(const std::string& host, std::uint16_t port, const std::string& from = {})
        : RawPeer(connected(host, port, from)) {}

    // Sends "W" + `body` and waits for the answer, skipping the greeting. A room's answer is
    // followed by the seat token ("W+"), kept in `token`.
    roomproto::Answer request(std::string_view body) {
        send(std::string(1, roomproto::Letter) + std::string(body));
        const auto answer = expect(roomproto::Letter);
        const roomproto::Answer parsed =
            answer ? roomproto::Answer::parse(*answer) : roomproto::Answer{};
        if (parsed.kind == roomproto::Answer::Kind::Room) {
            const auto seat = expect(roomproto::Letter);
            token = seat && seat->starts_with(roomproto::SeatToken) ? seat->substr(1) : "";
        }
        return parsed;
    }
    // Asks for the seat of `seatToken` in the room of `code`; the answer.
    roomproto::Answer rejoin(const std::string& code, const std::string& seatToken) {
        return request(roomproto::encodeRejoin(code, seatToken));
    }
    // The seat token of the last room this peer entered.
    std::string token;
    // Creates a room of `course` (empty: the host's default); its code, or empty.
    std::string create(std::string_view course) { return request("|" + std::string(course)).code; }
    // Joins the room of `code` and announces a player `name`; the answer's kind.
    roomproto::Answer join(const std::string& code, const std::string& name) {
        const roomproto::Answer answer = request(code + "|");
        if (answer.kind == roomproto::Answer::Kind::Room) {
            enterAs(name);
        }
        return answer;
    }
    // Announces a player and this program's version, as a client does when it enters.
    void enterAs(const std::string& name) {
        sendEach({"N" + name + "|255|1|0|", "H" + std::string(netproto::Version)});
    }
    // Skips messages up to the next one with `letter`; its body, if one comes.
    std::optional<std::string> next(char letter) { return expect(letter); }
    // The aims, chat lines and putts received up to the first putt, each as letter, body
    // and "/"; then "+" and the letters of any of them that follow within a moment.
    std::string playUpToPutt() {
        std::string seen;
        while (auto message = receive()) {
            if (std::string_view("AMP").find(message->letter) != std::string_view::npos) {
                seen += message->letter + message->body + "/";
            }
            if (message->letter == 'P') {
                break;
            }
        }
        std::string later = lettersWithin(std::chrono::milliseconds(300));
        std::erase_if(later, [](char c) {
            return std::string_view("AMP").find(c) == std::string_view::npos;
        });
        return seen + "+" + later;
    }

private:
    static Socket connected(const std::string& host, std::uint16_t port, const std::string& from) {
        Socket socket;
        WakePipe never;
        EXPECT_EQ(socket.connectTo(host, port, never, Patience, from), ConnectResult::Connected)
            << host;
        return socket;
    }
};

}  // namespace trundlex::testing
