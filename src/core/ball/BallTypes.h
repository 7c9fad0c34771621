#pragma once

#include <cstdint>
#include <string_view>

namespace trundlex {

// Ball speed modes; the speed commands select them in this order. Values are shared with
// replays and the network: never renumber.
enum SpeedMode : std::int32_t {
    Pause = -2,
    Half = -1,
    Normal = 0,
    Double = 1,
    Triple = 2,
    Quadruple = 3,
    Fastest = 4,
    NextPosition = 5,
};

// What a player's ball looks like; the network carries it with the player. Colours are
// 0x00BBGGRR (red in the low byte); patterns 0 .. BallPatternCount - 1 are dotted surfaces,
// BallPatternCount itself is the plain ball.
inline constexpr std::int32_t BallPatternCount = 8;
struct BallStyle {
    std::uint32_t colour = 0x00E6E6E6;
    std::int32_t pattern = 0;
    bool transparent = false;

    friend bool operator==(const BallStyle&, const BallStyle&) = default;
};

// Every speed mode, in the order of the speed commands.
inline constexpr SpeedMode AllSpeedModes[] = {Pause,  Half,      Normal,  Double,
                                              Triple, Quadruple, Fastest, NextPosition};

// What a ball tells its owner.
enum BallNotification : std::int32_t {
    BallStopped = 0,  // the roll ended without the cup (rest, water, out of the level)
    BallInCup = 1,    // the ball dropped into the cup and has shrunk away
    BallMoved = 2,    // after each tick that goes on, except in NextPosition
};

// The window that owns a rolling ball. The ball's worker calls it and waits until it
// returns; during the call the owner may read the ball's state and redraw it.
class BallOwner {
public:
    virtual ~BallOwner() = default;
    virtual void onBallNotification(std::int32_t ballId, BallNotification code) = 0;
};

// Plays a sound file asynchronously; a new sound replaces one still playing. Called from the
// ball's worker thread, so an implementation must hand the request to its own thread and
// return at once.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(std::string_view file) = 0;
    // Plays a sound over whatever is playing, stopping nothing: a banner's tune must not cut
    // off the ball's last sound (the cup). The default replaces, for players that cannot mix.
    virtual void playAlong(std::string_view file) { play(file); }
};

// Sound files, relative to the working folder.
inline constexpr std::string_view SoundWater = "sounds/Water.wav";
inline constexpr std::string_view SoundInCup = "sounds/InCup.wav";
inline constexpr std::string_view SoundCrowd = "sounds/crowd.wav";
inline constexpr std::string_view SoundHitWall = "sounds/HitWall.wav";

}  // namespace trundlex
