#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/Connection.h"
#include "net/NetLobby.h"
#include "net/NetEngine.h"
#include "net/SeatBook.h"
#include "net/NetNotifier.h"
#include "net/Socket.h"
#include "net/TurnGate.h"
#include "play/ComputerPlayer.h"

namespace trundlex {

class LatencyHistogram;
class LevelLibrary;
class Match;

// The state of the network game that the user interface and the network threads share, and
// the operations both roles use on it. Not synchronised itself: NetGame holds its lock around
// every use. Notifications are only posted here (NetNotifier), never delivered, so nothing
// here waits for a user interface.
class NetSession {
public:
    NetSession(LevelLibrary& library, NetNotifier& notifier);

    LevelLibrary& library() { return library_; }
    // The match, or null before NetGame::setMatch.
    Match* match() { return match_; }
    const Match* match() const { return match_; }
    void setMatch(Match* match) { match_ = match; }

    // --- Roles and phases ---

    bool isServer = false;
    // The lobby has ended and the game is running or starting.
    bool lobbyClosed = false;
    // This computer's ball of the current putt is still rolling.
    bool moving = false;
    // A putt was made and NetAllStopped has not followed it yet. Stop reports outside a putt
    // change nothing, so a stray "Q" cannot hand out a turn.
    bool puttPending = false;
    // A start handshake waits for confirmations (server: "D" from every client; client: "S").
    bool startPending = false;
    // Levels the server announced ("C"); -1 until announced.
    std::int32_t expectedLevelCount = -1;
    // A client has told the server that it holds every level ("R").
    bool readySent = false;
    // Level IDs a client has asked for ("J").
    std::vector<std::string> requestedLevels;
    // The bytes of level texts a client has taken from its server in this game.
    std::size_t receivedLevelBytes = 0;
    // A client's text about why its server ended the connection (another version, a room
    // refused), shown after the connection has ended.
    std::optional<LobbyStatus> versionStatus;
    // A client that meets its server in a room of a room host: the host greets first, the
    // client asks for the room ("W"), and only the host's answer lets the usual client
    // greeting follow.
    struct Room {
        enum class Phase : std::int32_t { None, AwaitGreeting, AwaitAnswer, Joined };
        Phase phase = Phase::None;
        // The body of the "W" request.
        std::string request;
        bool creator = false;
        std::string code;
        std::string course;
        // The seat token the host gave ("W+").
        std::string token;

        // The request is out and the host's answer has not come yet.
        bool asking() const { return phase == Phase::AwaitGreeting || phase == Phase::AwaitAnswer; }
    };
    Room room;
    // The server's listening socket; null when not listening.
    std::shared_ptr<NetAcceptor> listener;
    // A client's connect under way; null when none is.
    std::shared_ptr<NetConnector> connector;
    // The values the next event hands to the listeners.
    NetEventData data;
    // Who plays, from now on, the players of a computer that leaves a running game: Person
    // leaves them to this computer's person.
    ComputerStrength departedHand = ComputerStrength::Person;
    // In a room of a room host: the connection that speaks for the room ("Y"), 0 elsewhere;
    // when it leaves the lobby, the longest-connected client takes over. And whether the start
    // has been asked for.
    std::int32_t roomCreator = 0;
    bool startRequested = false;
    // A client: players the server's computer plays from now on ("W*"), told before the
    // "T" that names them; and whether the server said it is stopping ("W.").
    std::vector<std::string> takenOver;
    bool hostStopping = false;
    // Chat lines longer than this are dropped.
    std::size_t maxChatBytes = DefaultMaxChatBytes;
    static constexpr std::size_t DefaultMaxChatBytes = 1024;

    // --- A server that takes its clients for strangers ---

    // What a server refused of its clients' messages, by reason (under the lock).
    struct Refusals {
        // An aim or putt not in the form the game writes.
        std::uint64_t badForm = 0;
        // A putt from a client whose player does not have the turn.
        std::uint64_t outOfTurn = 0;
        // A chat line too long, or from a client without players.
        std::uint64_t chat = 0;
        // A chat line under a name that is not the sender's (rewritten, not refused).
        std::uint64_t forgedName = 0;
        // A message with a letter no client sends.
        std::uint64_t unknownLetter = 0;
        // A level the game does not play, or one the client had already.
        std::uint64_t levelRequest = 0;
    };
    Refusals refusals;
    // Where a server writes what its operator should read about a client (a room host's log);
    // called under the lock, so it must not wait. None in the game program.
    std::function<void(const std::string&)> serverLog;
    // Server: the connection whose player has the turn (Player::LocalConnection for one of
    // this computer's, NoTurn for nobody), set by whatever follows the match here. Until the
    // first call every putt is taken, as in a game whose server does not follow the match.
    static constexpr std::int32_t NoTurn = TurnGate::NoTurn;
    void setTurnOwner(std::int32_t connection);
    // The host's budget of bytes waiting to be sent, which every new connection counts in;
    // none by default.
    std::shared_ptr<SendBudget> sendBudget;
    // Where a server times its relays (a client's putt, aim or chat line handed on to the
    // others), from the read that completed the message to its queueing for the last peer;
    // none by default.
    std::shared_ptr<LatencyHistogram> relayLatency;
    // Called under the lock when the connections' limits must be looked at again (a putt
    // makes every peer's stop report due).
    std::function<void()> limitsChanged;

    // --- Seats of a room's game, for clients that come back (NetSessionPlayers.cpp) ---

    SeatBook seats;
    // Server: a client back in its seat holds every level; it is brought up to the game's
    // state now, or as soon as no putt rolls and no start is pending.
    void catchUpWhenQuiet(Connection& connection);
    // Brings every client due for it up to the game's state, when that is quiet.
    void catchUpDue();
    // Client: the host's news of seats ("W+" token, "W=" catch-up, "W~" a player back);
    // false for other news.
    bool takeSeatNews(std::string_view body);

    // --- Connections ---

    const std::vector<std::shared_ptr<Connection>>& connections() const { return connections_; }
    // Adds a connection for `socket` with a new connection value; null (the socket closed)
    // when the server serves netproto::MaxClients already.
    std::shared_ptr<Connection> addConnection(Socket socket, std::string address);
    // The same for a connection that another program carries (CarriedEngine).
    std::shared_ptr<Connection> addConnection(std::shared_ptr<Connection::Transport> transport,
                                              std::string address);
    // The listed connection with this value, or null.
    Connection* find(std::int32_t id) const;
    bool isListed(const Connection& connection) const { return find(connection.id()) != nullptr; }
    // Sends to one connection, or to every connection but `exceptId` (-1: to all), in list
    // order. Nothing happens without connections.
    void sendTo(Connection& connection, std::string_view message);
    void sendToAllExcept(std::string_view message, std::int32_t exceptId);
    // The same, on a server to greeted connections only: what names players goes to nobody
    // who has not said who they are.
    void sendToGreetedExcept(std::string_view message, std::int32_t exceptId);
    void setMoving(bool flag);
    // Every connection is ready / has started (true without connections).
    bool allReady() const;
    bool allStarted() const;
    // The match has somebody to play it (a host of its own has no players until clients
    // bring theirs).
    bool hasPlayers() const;
    // The names of the players the connection plays, in match order.
    std::vector<std::string> namesOf(std::int32_t connectionId) const;
    // The names (joined) of the players the computer takes on when this connection closes
    // now (see departedHand); empty when it takes on none.
    std::string handedOnLoss(std::int32_t connectionId) const;

    // --- Posting to the user interface ---

    void notify(NetEvent event);
    void lobbyStatus(const LobbyStatus& status);
    void lobbyStartEnabled(bool enabled);
    void lobbyChanged();
    void lobbyClosedByNetwork();
    // The ticket of the last post: the I/O thread reads on once it has been delivered.
    NetNotifier::Ticket lastTicket() const { return lastTicket_; }

    // --- Steps both roles take ---

    // When a putt is pending and no ball rolls any more: a server tells every client ("Q"),
    // and NetAllStopped follows.
    void allStoppedCheck();
    // When a start handshake waits and every connection has confirmed: a server sends "S";
    // NetStart follows.
    void startCheck();
    // "P", "A", "Q" and "M", the same on both sides: true when the letter was one of them
    // and it was handled.
    bool handlePlayMessage(Connection& sender, char letter, std::string_view body);
    // The parts of it, and unrecognised messages.
    void handlePutt(Connection& sender, std::string_view body);
    void handleAim(Connection& sender, std::string_view body);
    void handleStopped(Connection& sender);
    // Server: the peer has not reported its stop in time; it counts as stopped.
    void takeAsStopped(Connection& connection);
    void handleChat(Connection& sender, std::string_view body);
    void handleUnrecognised(std::string_view body);
    // A putt was made: every ball rolls now, and a server's peers owe it their stop reports.
    void beginPutt();
    // The peer's players may be handed out: every connection has confirmed the start.
    bool playing() const { return lobbyClosed && !startPending && allStarted(); }

    // Adds a player with this connection; with `announce`, a server sends every connection
    // its player list and a client sends "N". `computer`: the computer putts for the player
    // (a client says so in its "N"; a server marks another computer's player so in its lists).
    // False (nothing changes) without a match, for a name the wire cannot carry or when the
    // match has netproto::MaxPlayers players.
    bool addPlayer(std::string_view name, std::uint32_t colour, std::int32_t pattern,
                   bool transparent, std::int32_t connection, bool announce,
                   bool computer = false);
    // Server: "O" to every greeted connection, marking the players it plays.
    void sendPlayerLists();
    // Server: "O" to one connection.
    void sendPlayerList(Connection& connection);
    // Takes a connection out of the game once it has ended (see NetGame). Nothing happens
    // for a connection no longer listed.
    void connectionClosed(std::int32_t id);
    // Stops listening; nobody can join any more.
    void closeListening();
    // Ends every connection, a connect under way and the listening: every player becomes a
    // player of this computer and NetEnded follows when there were connections.
    void endGame();
    // Forgets the phase of an earlier game before a new one starts.
    void resetForNewGame(bool server);

    LobbySnapshot lobbySnapshot() const;

private:
    LevelLibrary& library_;
    NetNotifier& notifier_;
    Match* match_ = nullptr;
    std::vector<std::shared_ptr<Connection>> connections_;
    std::int32_t nextConnectionId_ = 1;
    NetNotifier::Ticket lastTicket_ = 0;

    // Lists a connection `make` makes with a new connection value; null (none made) when the
    // server serves netproto::MaxClients already.
    std::shared_ptr<Connection> listConnection(
        const std::function<std::shared_ptr<Connection>(std::int32_t id)>& make);

    // Whose putt the server relays (setTurnOwner).
    TurnGate turn_;
    // A client's message, read at `readAt`, has just been queued for the other connections:
    // its relay time goes into relayLatency (when there is one and somebody else was there
    // to take it).
    void relayed(std::chrono::steady_clock::time_point readAt);
    // Relays and takes a putt that is allowed now.
    void acceptPutt(Connection& sender, std::string_view body, double force, double angle);
    void refusedOutOfTurn(const Connection& sender);
    // The catch-up of one client: its players back from this computer, then "O", "G", the
    // putts so far and "S" to it alone, and the others told who is back.
    void catchUp(Connection& connection);
};

}  // namespace trundlex
