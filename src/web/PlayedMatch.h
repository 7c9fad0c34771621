#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trundlex::web {

struct MatchRig;

// What a page does with a match while it runs, the same for a game on this computer
// (LocalMatch) and a game in a room of a room host (OnlineMatch): runs it against the page's
// clock, takes a person's input, and tells what the view shows as event lines (LocalMatch.h
// lists them).
class PlayedMatch {
public:
    virtual ~PlayedMatch();
    PlayedMatch(const PlayedMatch&) = delete;
    PlayedMatch& operator=(const PlayedMatch&) = delete;

    // Runs everything that falls due up to the game's time `until` (ms), and no further: a
    // page passes its clock at every frame. False once it cannot go on.
    bool runUntil(std::int64_t until);
    bool isOver() const;
    // ViewState's value.
    int state() const;

    // A person's input, taken while a person of this screen has the turn (see GameController).
    void aimAt(double heading);
    void beginCharge();
    void releaseCharge();
    void cancelCharge();
    bool puttWithForce(double heading, double force);
    // The rolling ball rests at once and the game goes on without the pause of its banner (a
    // lost ball is still told).
    void hurry();

    // What the page draws: the level played now and the score board (PageJson.h).
    std::string levelJson() const;
    std::string boardJson() const;

    // The event lines since the last call.
    std::vector<std::string> takeEvents();
    // One line per hole ("hole 1 First Putt: Ann 2, Bob 3"), then the totals and the
    // winners; what is known so far while the match runs.
    std::string result() const;
    // The game's own time in milliseconds: how long the match would have taken to watch.
    std::int64_t time() const;

protected:
    // `seed` seeds the game's one random sequence (colours, each computer putt's error).
    explicit PlayedMatch(std::uint32_t seed);
    // After every call that may have changed the game: the surroundings catch up with it (an
    // online game hands the network's events over).
    virtual void settle() {}

    std::unique_ptr<MatchRig> rig_;
};

}  // namespace trundlex::web
