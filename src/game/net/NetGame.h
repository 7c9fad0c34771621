#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "net/CarriedEngine.h"
#include "net/ClientRole.h"
#include "net/NetEngine.h"
#include "net/NetListener.h"
#include "net/NetLobby.h"
#include "net/NetNotifier.h"
#include "net/NetProtocol.h"
#include "net/NetSession.h"
#include "net/RoomProtocol.h"
#include "net/ServerRole.h"
#include "play/MatchFlow.h"

namespace trundlex {

class LatencyHistogram;
class LevelLibrary;
class Match;
class NetPool;

// A network game: several computers over TCP in a star, one server and clients that each
// hold one connection to it. NetGame owns the sockets and threads of both roles, frames,
// sends and receives the messages, keeps the match's players and levels in step with the
// other computers, and tells its listeners (NetListener) and the lobby (NetLobby) what
// happened. One object serves every network game of a run.
//
// A game, seen from the user interface:
//   server: startServer -> clients join (NetConnectionAdded, lobby updates) -> every client
//           ready (lobby: start enabled) -> startHandshake -> NetLobbyClosed ... NetStart
//   client: startClient -> NetConnectionAdded -> levels arrive -> (server starts)
//           NetLobbyClosed ... NetStart
//   both:   the player whose turn it is putts on one computer: sendPutt there, NetPutt on the
//           others; every computer reports its ball's stop with localBallStopped; when all
//           have stopped NetAllStopped follows everywhere and the next turn is handed out.
//           sendAim while aiming (NetAim elsewhere), sendChat (NetChat), endGame.
//
// Threads: one I/O thread (NetEngine) accepts, connects, reads and writes every connection,
// and one delivery thread calls the listeners and the lobby. The operations below may be
// called from any thread (the user interface's, usually); none of them waits for a network
// thread or a listener.
//
// Locking: one lock guards the connections, the flags, the match and the level library. The
// I/O thread holds it while it handles a message; the operations below take it; the
// user interface takes it (lock()) while it reads or changes the match or the library during
// a network game. It is never held while a listener or the lobby is called: events are
// queued under the lock and delivered after it has been released. That is why it cannot
// deadlock: a listener waits for the user-interface thread, and that thread may itself be
// waiting for this lock, but the lock is free by then. The lock is recursive, so the user
// interface may call these operations while it holds it; it must not wait for a network
// event while holding it.
class NetGame {
public:
    using Lock = std::unique_lock<std::recursive_mutex>;
    // How long a client tries to reach its server.
    static constexpr std::chrono::milliseconds ConnectTimeout{10000};

    // Idle: no connections, no listening socket, no listeners, not a server. `library` is
    // where levels are looked up and where levels received from a server are added; it must
    // outlive this object.
    explicit NetGame(LevelLibrary& library);
    // The same on shared threads (a room host's many rooms): its I/O on `io`, its deliveries
    // on `delivery` (see NetPool); both must outlive this object, which must not be destroyed
    // on a thread of either.
    NetGame(LevelLibrary& library, NetPool& io, NetPool& delivery);
    // A client whose connection the program hosting it carries (a browser page), on the
    // thread that drives it, without threads of its own: see the carrier's calls below. Its
    // events are delivered on that thread, after the lock is let go: by the carrier's calls
    // and by deliverPosted(), which the driver calls after its own calls into the game.
    NetGame(LevelLibrary& library, NetCarrier& carrier);
    // Forgets the listeners and the lobby, ends the game (endGame) and waits for every
    // network thread. A listener call in progress must be able to return while the caller
    // waits here (an adapter that waits for this thread must have been released).
    ~NetGame();
    NetGame(const NetGame&) = delete;
    NetGame& operator=(const NetGame&) = delete;

    // The match whose players and levels the network keeps in step; not owned. Set it before
    // starting a game and keep it for the game's whole life.
    void setMatch(Match* match);

    // --- Listeners and the lobby ---

    // Adds a listener after the others (at most NetNotifier::MaxListeners); false when full
    // or already added.
    bool addListener(NetListener* listener);
    // Later events reach the listener no more. A call in progress is not waited for.
    void removeListener(NetListener* listener);
    void clearListeners();
    // Forgets the lobby (its window is going); waits for a lobby call in progress.
    void detachLobby();

    // --- Roles ---

    // Ends any earlier game and listens as a server on `port` (0: any free port; see
    // listeningPort) at `bindAddress` (a numeric address; empty: every local address, IPv6
    // and IPv4). `lobby` (may be null) hears about clients and players from now on. False
    // when the socket cannot listen: the lobby shows "Can't start server." and nothing else
    // happens. False also without a match.
    bool startServer(std::uint16_t port, NetLobby* lobby, const std::string& bindAddress = {});
    // The port the server listens on; 0 when not listening.
    std::uint16_t listeningPort() const;
    // Ends any earlier game, empties the match's level list (the server's arrives) and
    // connects to a server in the background. `address` is a host name or a numeric IPv4 or
    // IPv6 address (without brackets; see NetAddress for what people type); each of the
    // addresses a name has is tried in turn. The lobby then shows "Connection open!" and
    // NetConnectionAdded follows, or "Couldn't connect." and the game ends (NetEnded is not
    // sent, as there was no connection). False without a match.
    bool startClient(const std::string& address, std::uint16_t port, NetLobby* lobby);
    // As startClient, at a room host: creates a room for `request.course` or joins the room
    // `request.code` (a Create or Join request). Once the host has answered, the lobby's
    // snapshot holds the room's code and course and the game goes on as a client's; a host
    // that turns the request down ends the game with its reason in the lobby
    // (LobbyText::RoomRefused). False for any other request, or without a match.
    bool startRoomClient(const std::string& address, std::uint16_t port,
                         const roomproto::Request& request, NetLobby* lobby);
    // The creator of a room, in the lobby: asks the host to start the room's game ("Y"),
    // which it does once every computer in the room is ready. False (nothing sent) anywhere
    // else: on a server, a classic client, a client that joined a room, after the start.
    bool askRoomStart();
    // The creator of a room, in the lobby: asks the host to take the player `name` out (a
    // computer player of its own, or another computer with all its players). False (nothing
    // sent) where askRoomStart would be refused, or for this computer's own person.
    bool askRoomRemove(const std::string& name);
    // A server: tells every client that it is stopping, so that their games end instead of
    // going on without it (then end the game as usual).
    void announceHostStop();

    bool isServer() const;
    // At least one connection is open.
    bool isConnected() const;
    std::int32_t connectionCount() const;
    // The open connections by how they reach this computer: over TCP of their own, or through
    // a WebSocket (PeerInfo::webSocket), counted at one moment.
    struct Transports {
        std::int32_t tcp = 0;
        std::int32_t webSocket = 0;
    };
    Transports connectionsByTransport() const;
    // The lobby has ended: the game is starting or running.
    bool isLobbyClosed() const;
    // Every computer has confirmed the start: putts, aims and stop reports count.
    bool isPlaying() const;

    // --- During a game ---

    // A player of this computer putts: rounds `force` and `angle` to what the others will
    // read (six decimals) and sends "P" to every connection but `exceptConnection` (-1: to
    // all). The caller putts its own ball with the rounded values. Every ball now counts as
    // moving until reported stopped. False (nothing sent or changed, the values still
    // rounded) while connected but the game is not playing, or the previous putt has not
    // been reported stopped everywhere: the caller must not putt then.
    bool sendPutt(double& force, double& angle, std::int32_t exceptConnection = -1);
    // A player of this computer aims: "A" with two decimals, while the game is playing.
    void sendAim(double aim, std::int32_t exceptConnection = -1);
    // This computer's ball of the current putt has stopped. A client tells the server; when
    // no ball rolls anywhere any more NetAllStopped follows on every computer (the server
    // waits for every client). Nothing happens outside a putt.
    void localBallStopped();
    // Sends a chat line "M" name "|" text to every connection but `exceptConnection`. A name
    // or text the wire cannot carry (see netproto::checkName, checkChatText) is refused: the
    // answer says why, for telling the user. Without connections nothing is sent.
    netproto::TextProblem sendChat(std::string_view text, std::string_view name,
                                   std::int32_t exceptConnection = -1);
    // Adds a player to the match with `connection` (Player::LocalConnection for this
    // computer). With `announce`, a server sends every client its new player list, a client
    // sends the player to its server. False (nothing changes) for a refused name or a full
    // match.
    bool addPlayer(std::string_view name, std::uint32_t colour, std::int32_t pattern,
                   bool transparent, std::int32_t connection, bool announce);
    // Adds and announces a player of this computer played by the computer at `strength`
    // (a room's creator adds them in the lobby). False as addPlayer, or after the lobby.
    bool addComputerPlayer(std::string_view name, std::uint32_t colour, ComputerStrength strength);
    // Server, in the lobby ("Start game"): "G" to every client, the lobby closes
    // (NetLobbyClosed, NetLobby::onLobbyClosedByNetwork) and the listening stops; NetStart
    // follows when every client has confirmed, at once without clients. False (nothing
    // happens) on a client, outside the lobby or while a client is not ready.
    bool startHandshake();
    // Server, during a game: every client confirms the start again (NetLobbyClosed, then
    // NetStart). The caller restarts its match first. False on a client or before a game.
    bool restartHandshake();
    // Ends the network game: stops listening or connecting, closes every connection, makes
    // every player a player of this computer and sends NetEnded when there were connections.
    // Does not wait for the I/O thread.
    void endGame();
    // Stops listening: nobody can join any more.
    void closeListening();

    // --- What a listener reads during an event ---

    double puttForce() const;
    double puttAngle() const;
    double aim() const;
    std::string chatName() const;
    std::string chatText() const;
    std::string disconnectText() const;
    // All of the above at once, with the parts of the disconnection text.
    NetEventData eventData() const;

    // The lobby's counts and lists (for NetLobby::onLobbyChanged).
    LobbySnapshot lobbySnapshot() const;

    // Who plays, from then on, the players of a computer that leaves a running game: the
    // computer at a strength, or this computer's person (Person, the default). The listeners
    // read the names handed to the computer in NetEventData::computerPlaysFor.
    void setDepartedHand(ComputerStrength hand);

    // --- A server that takes its clients for strangers ---

    // Who has the turn, told by whatever follows the match on a server under the lock
    // (NetSession::setTurnOwner): from the first call on, a putt is relayed only from the
    // connection whose player has the turn. A player of this computer: Player::LocalConnection;
    // nobody: NetSession::NoTurn.
    void setTurnOwner(std::int32_t connection);
    // The same from a step of the match's flow on this server: a turn names its player's
    // connection, the end or a refused level nobody. A hole set up for a start names nobody
    // yet: the start puts the turn in doubt, so a putt that comes with the start is held for
    // the first turn instead of being refused before it is handed out.
    void setTurnFrom(const FlowStep& step);
    // Where the server writes what a host's operator should read about its clients (refused
    // putts, unknown messages); called under the lock, it must not wait.
    void setServerLog(std::function<void(const std::string&)> log);
    // What the server has refused of its clients so far.
    NetSession::Refusals refusals() const;
    // The budget every connection accepted from now on counts its waiting bytes in.
    void setSendBudget(std::shared_ptr<SendBudget> budget);
    // Times every relay of a client's putt, aim or chat line to the others into `histogram`
    // from now on (null: none): from the read that completed the message until it is queued
    // for the last peer. A putt held until its turn is handed out counts from its read too:
    // the others waited while this computer caught up with the match.
    void setRelayLatency(std::shared_ptr<LatencyHistogram> histogram);

    // Replaces the limits on stalling peers (tests use short ones); connections already open
    // follow them from their next wait on.
    void setTimeouts(const NetTimeouts& timeouts);

    // --- A room of a room host ---

    // Ends any earlier game and opens a server's lobby that listens nowhere: its clients are
    // handed over by the room host (serveConnection). False without a match.
    bool startRoom(NetLobby* lobby);
    enum class Entry : std::int32_t { Taken, Full, Started, NoSeat };
    // Takes a client the room host accepted and greeted: `first` (the room's answer) goes out
    // before anything else, then "W+" and `token` (none when empty), the seat token that
    // gets the client its place back (rejoinConnection); `received` (what the client sent
    // after its request) is handled before its socket is read. With `creator`, it is the
    // connection whose "Y" starts the room. Taken (the socket is the game's now), or why not
    // (the socket stays the caller's).
    Entry serveConnection(Socket& socket, PeerInfo who, std::string received,
                          std::string_view first, bool creator, const std::string& token = {});
    // Takes a client back into the seat of `token`, as serveConnection takes a new one. A
    // connection still in the seat (one whose end has not been noticed yet) is closed first.
    // In the lobby the client simply joins again; in a running game it gets its players back
    // once it holds every level and no putt rolls, with the game's putts so far (NetCatchUp
    // on its side). NoSeat for a token of no seat of this game.
    Entry rejoinConnection(Socket& socket, PeerInfo who, std::string received,
                           std::string_view first, const std::string& token);
    // The room's creator has asked for the start.
    bool startRequested() const;
    // A running game, not over, has a seat whose client has gone with players: somebody may
    // come back to it.
    bool seatsWaiting() const;
    // Returns once everything posted up to now has been delivered to the listeners. Not on a
    // delivery thread (a listener must not wait for itself).
    void waitForDeliveries();

    // The lock described above, for reading or changing the match or the level library.
    [[nodiscard]] Lock lock() const;

    // --- A game whose connection is carried (the constructor with a NetCarrier) ---
    // Elsewhere these do nothing.

    // The connection the carrier was asked to open is open.
    void carrierOpened();
    // Bytes arrived on it.
    void carrierReceived(std::string_view bytes);
    // It ended, or could not be opened.
    void carrierClosed();
    // Keeps the connection's timers (the connect timeout, the lobby's repeated greeting).
    void pollCarrier();
    // Delivers the events posted so far (by calls of the driver's own), on this thread.
    void deliverPosted();

private:
    NetRole& role();
    // startClient, and a room request (empty: none) set under the same lock, before the
    // connection can greet.
    bool beginClient(const std::string& address, std::uint16_t port, NetLobby* lobby,
                     const roomproto::Request* room);
    // startServer and startRoom: attaches the lobby, then under the lock it returns ends the
    // last game and makes the session a server's afresh. The lock comes back released, and
    // nothing is changed, when there is no match.
    Lock beginServing(NetLobby* lobby);

    mutable std::recursive_mutex mutex_;
    // Declared first: it outlives the threads that post to it.
    NetNotifier notifier_;
    NetSession session_;
    ServerRole server_;
    ClientRole client_;
    std::uint16_t port_ = 0;
    NetTimeouts timeouts_;
    // Declared last: its I/O thread stops before anything it works on goes.
    std::unique_ptr<NetDriver> engine_;
    // The same engine when the connection is carried; null otherwise.
    CarriedEngine* carried_ = nullptr;
};

}  // namespace trundlex
