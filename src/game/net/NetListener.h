#pragma once

#include <cstdint>
#include <string>

namespace trundlex {

// What the network game tells its listeners (the codes of the WM_NET window message). The
// values travel to the user interface and must never be renumbered.
enum NetEvent : std::int32_t {
    // A connection was added: on a server a client was accepted, on a client the server was
    // reached.
    NetConnectionAdded = 0,
    // Every computer's ball of the current putt has stopped: the next turn may be handed out.
    NetAllStopped = 1,
    // A chat line (or an unreadable message) arrived: read NetGame::chatName and chatText.
    NetChat = 2,
    // A putt arrived: read NetGame::puttForce and puttAngle.
    NetPutt = 3,
    // An aim arrived: read NetGame::aim.
    NetAim = 4,
    // The network game has ended: this computer closed every connection, or the last one
    // closed during a game. Every player is now a player of this computer.
    NetEnded = 5,
    // A connection closed and others remain, or it closed during the lobby.
    NetConnectionClosed = 6,
    // The lobby has ended because the start (or restart) handshake began.
    NetLobbyClosed = 7,
    // Every computer has confirmed the start: play begins with the first turn.
    NetStart = 8,
    // A computer has left: read NetGame::disconnectText.
    NetDisconnectInfo = 9,
    // This computer is back in a running game of a room host: roll the game's putts so far
    // (NetEventData::catchUp) before the start that follows.
    NetCatchUp = 10,
    // Players the computer stood in for are played by their own computer again
    // (NetEventData::returnedNames).
    NetPlayersReturned = 11,
};

// Why a host closed a connection itself (NetEventData::dropReason): a peer that holds one of
// the few places of a game must not hold it for ever without taking part.
enum class DropReason : std::int32_t {
    None = 0,
    // The peer did not complete the version greeting in time.
    NoGreeting = 1,
    // In the lobby the peer sent no complete message for too long.
    Idle = 2,
};

// Window message number of network notifications, for adapters that map onto window messages.
inline constexpr int WM_NET = 0x402;

// A window that hears about network events (the game view, the chat box).
//
// NetGame calls every listener in the order they were added, on its one delivery thread,
// never while it holds its lock, one event after the other in the order the events happened.
// The data of an event (NetGame::puttForce, chatText, ...) keeps the event's values until the
// call returns, so a listener reads it during the call. The delivery thread waits for the
// call to return; an adapter that hands the event to a user-interface thread should make it
// wait there too (as QtBallOwner does for the ball), so that a later event is not looked at
// before an earlier one has been handled. During the call a listener may use every operation
// of NetGame, take its lock, or (a program without windows) do its work right there.
class NetListener {
public:
    virtual ~NetListener() = default;
    virtual void onNetEvent(NetEvent event) = 0;
};

}  // namespace trundlex
