#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ball/Ball.h"
#include "play/ComputerPlayer.h"
#include "play/PuttRecord.h"

namespace trundlex {

// One player of a match: a name, a ball in the player's colours, the strokes taken on every
// hole, every putt made, and where the player is in the current hole's turn flow.
//
// The ball lives on the heap and keeps its address for the player's whole life, since a
// rolling ball's worker thread and the playfield window refer to it.
//
// Threads: not synchronised. The caller serialises every access (the game's user-interface
// thread, and in network play the receiving thread under the caller's lock).
class Player {
public:
    // The connection value of a player who plays on this computer.
    static constexpr std::int32_t LocalConnection = -1;
    // Strokes a player may take on a hole without holing out; the turn flow then adds one
    // more and takes the player off the hole, so the score on a hole never exceeds LimitScore.
    static constexpr std::int32_t StrokeLimit = 7;
    static constexpr std::int32_t LimitScore = StrokeLimit + 1;

    // A player on the hole with the turn pending, no putts and no strokes, whose ball (id 0)
    // looks as the colour (0x00BBGGRR), pattern and transparency say. `connection` is
    // LocalConnection or the identifier of the network connection the player plays through;
    // whether it was local is also remembered for good (IsCreatedLocal).
    Player(std::string_view name, std::uint32_t colour, std::int32_t pattern, bool transparent,
           std::int32_t connection);
    // A copy has its own, new ball with the source ball's position, sound flag and speed
    // mode. It is on no level until given
    // one (Ball::SetLevel), and the sound player and message pump are not copied.
    Player(const Player& other);
    Player& operator=(const Player& other);
    ~Player();

    // Counts one stroke on `hole` (0-based), growing the per-hole list as needed. A negative
    // hole counts nothing and answers false.
    bool AddStroke(std::int32_t hole);
    // Strokes on `hole`; 0 for a hole below 0 or one not reached yet.
    std::int32_t StrokesOn(std::int32_t hole) const;
    // Strokes over all holes.
    std::int32_t TotalStrokes() const;

    // Counts the stroke on `hole` and records the putt with the stroke number it gives and
    // the ball's present position, so call it before the ball moves. A negative hole records
    // nothing and answers false.
    bool RecordPutt(double speed, double heading, std::int32_t hole);
    std::int32_t PuttCount() const;
    // The putt at `index`, oldest first; null when the index is out of range.
    const PuttRecord* GetPutt(std::int32_t index) const;

    // Forgets every stroke and putt; the player is on the hole with the turn pending.
    void Reset();

    // On the hole: neither holed out nor stopped by the stroke limit.
    bool IsOnHole() const { return onHole_; }
    void SetOnHole(bool onHole) { onHole_ = onHole; }
    // Has not putted yet in the current turn cycle.
    bool IsTurnPending() const { return turnPending_; }
    void SetTurnPending(bool pending) { turnPending_ = pending; }

    Ball& GetBall() { return *ball_; }
    const Ball& GetBall() const { return *ball_; }
    // What the player's ball looks like.
    const BallStyle& GetStyle() const { return style_; }
    void SetStyle(const BallStyle& style) { style_ = style; }
    const std::string& GetName() const { return name_; }

    std::int32_t GetConnection() const { return connection_; }
    // The player is played on this computer from now on.
    void SetLocal() { connection_ = LocalConnection; }
    // Plays through this network connection from now on (a player back with its computer).
    void SetConnection(std::int32_t connection) { connection_ = connection; }
    // Plays on this computer now (the connection is LocalConnection).
    bool IsLocalPlayer() const { return connection_ == LocalConnection; }
    // Was created as a player of this computer, whatever the connection is now.
    bool IsCreatedLocal() const { return createdLocal_; }

    // Who putts for a player of this computer: a person (the default) or the computer at a
    // strength. Only this computer knows; the others see the putts as any other.
    ComputerStrength GetComputer() const { return computer_; }
    void SetComputer(ComputerStrength strength) { computer_ = strength; }
    bool IsComputer() const { return computer_ != ComputerStrength::Person; }
    // The computer stands in for a player whose own computer left the game. Taking the player
    // over (SetComputer(Person)) ends it: nothing here remembers the player was handed over.
    bool IsHandedOver() const { return IsLocalPlayer() && !createdLocal_ && IsComputer(); }
    // A player of another computer whose own computer left: the server's computer plays it
    // now (the server said so). Shown as this computer shows its own handed-over players.
    bool IsPlayedByPeerComputer() const { return playedByPeerComputer_; }
    void SetPlayedByPeerComputer(bool played) { playedByPeerComputer_ = played; }
    // A player of another computer whose own computer putts for it (that computer said so
    // when it announced the player); only shown, never acted on here.
    bool IsPeerComputer() const { return peerComputer_; }
    void SetPeerComputer(bool computer) { peerComputer_ = computer; }
    // A player of the computer that created the room (a room host's lists say so).
    bool IsRoomCreators() const { return roomCreators_; }
    void SetRoomCreators(bool creators) { roomCreators_ = creators; }

private:
    std::string name_;
    std::vector<PuttRecord> putts_;
    std::vector<std::int32_t> strokes_;
    bool onHole_ = true;
    bool turnPending_ = true;
    bool createdLocal_;
    std::unique_ptr<Ball> ball_;
    BallStyle style_;
    std::int32_t connection_;
    ComputerStrength computer_ = ComputerStrength::Person;
    bool playedByPeerComputer_ = false;
    bool peerComputer_ = false;
    bool roomCreators_ = false;
};

}  // namespace trundlex
