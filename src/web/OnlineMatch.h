#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "PlayedMatch.h"
#include "net/CarriedEngine.h"
#include "net/NetListener.h"
#include "net/NetLobby.h"
#include "net/RoomProtocol.h"
#include "play/ComputerPlayer.h"

namespace trundlex {
class NetGame;
}

namespace trundlex::web {

// A game in a room of a room host, as one of the room's computers, over a connection the page
// carries (a WebSocket to the host, which hands its bytes to the game's port): the page opens
// it, hands over what arrives, and sends what the game gives it. Everything else (the room's
// messages, the lobby, the putts and the rules) runs here, through the game controller and
// the network game of the desktop, so every computer of the room rolls every putt the same.
//
// Besides LocalMatch's event lines:
//   lobby                 the lobby changed (lobbyJson)
//   started               the lobby closed: the game begins
//   chat JSON             a chat line: {"name":...,"text":...,"mine":true|false}
//   left NAMES            a computer left with these players (joined with ", ")
//   computer NAMES        this computer's computer plays these players from now on
//   returned NAMES        players are back with their own computer
//   lost                  this computer lost its host (a new game may rejoin the seat)
//   hoststopped           the host said it was stopping
//   ended                 the network game is over here; the results so far stand
class OnlineMatch : public PlayedMatch,
                    private NetCarrier,
                    private NetLobby,
                    private NetListener {
public:
    explicit OnlineMatch(std::uint32_t seed);
    ~OnlineMatch() override;

    // A person who plays at this screen; before the room is asked for. False for an empty
    // name, a name the network cannot carry, or more than MaxPeople.
    bool addPerson(std::string_view name);
    static constexpr int MaxPeople = 8;
    // The shipped levels' pars, before the room is asked for (LocalMatch::setPars).
    bool setPars(std::string_view table);

    // Asks the host for a room: a new one on `course` ("" the host's default), the room of a
    // typed `code`, or this computer's seat again. False (nothing asked) without people, once
    // asked, or for a code or token that cannot be one.
    bool createRoom(std::string_view course);
    bool joinRoom(std::string_view code);
    bool rejoinRoom(std::string_view code, std::string_view token);

    // The page's connection: open, bytes in, its end.
    void opened();
    void received(std::string_view bytes);
    void closed();
    // The bytes to send now ("" for none), and whether the game is done with the connection.
    std::string takeOutgoing();
    bool wantsClose() const { return closeWanted_; }

    // The lobby as the page shows it (LobbyData in trundlex-page.d.ts).
    std::string lobbyJson() const;
    // The room's creator: asks for the start; adds a computer player of this computer; takes
    // a player out. False when not allowed now.
    bool startGame();
    bool addComputer(std::string_view name, ComputerStrength strength);
    bool removePlayer(std::string_view name);
    // Sends a chat line as this screen's first person: "" when sent, otherwise why not.
    std::string sendChat(std::string_view text);
    // Leaves the room: the game ends here.
    void leave();

private:
    enum class Link : std::int32_t { None, Opening, Open, Closed };

    bool ask(const roomproto::Request& request);
    NetGame& net();

    void settle() override;

    void open(const std::string& host, std::uint16_t port) override;
    void send(std::string_view bytes) override;
    void close() override;

    void onLobbyStatus(const LobbyStatus& status) override;
    void onLobbyStartEnabled(bool) override {}
    void onLobbyChanged() override;
    void onLobbyClosedByNetwork() override;

    void onNetEvent(NetEvent event) override;

    Link link_ = Link::None;
    bool asked_ = false;
    bool closeWanted_ = false;
    bool lobbyClosed_ = false;
    bool startAsked_ = false;
    bool ended_ = false;
    std::string outgoing_;
    LobbyStatus status_;
    bool hasStatus_ = false;
};

}  // namespace trundlex::web
