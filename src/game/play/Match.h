#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "level/LevelFile.h"
#include "play/Player.h"

namespace trundlex {

class LevelLibrary;
class SoundPlayer;

// One game in progress: the players in turn order, the level IDs of the holes in playing
// order, the hole being played and whose turn it is. It decides the turn order, when a hole
// and the whole match are over and who won. It holds no window and starts no thread, so a
// program without windows can follow a match exactly as the game view does:
//
//   NextHole()                          start a hole (false: the match is over)
//   LoadCurrentLevel(), SetLevelForAllBalls()
//   NextPlayer()                        whose turn (null: the hole is finished, NextHole)
//   RecordCurrentPutt(), then putt that player's ball
//   CurrentBallStopped(inCup)           when the ball rests or drops into the cup
//
// Players are kept on the heap, so a Player (and its ball) keeps its address while other
// players are added or removed; a removed player's ball is destroyed, which waits for its
// worker thread: take it out of any window first.
//
// The match's name is the course ID when the levels came from a course; any change of the
// level list empties it, so a changed course no longer counts for that course's high scores.
//
// Threads: not synchronised. The game reads and drives it on the user-interface thread; in
// network play a receiving thread also adds, removes and re-assigns players and levels. The
// caller serialises every access (one lock around both), never holding that lock while it
// waits for the other thread.
class Match {
public:
    // Between the names of the winners in WinnersText.
    static constexpr std::string_view WinnerSeparator = ", ";

    // No players, no levels, empty name, before the first hole.
    Match();
    // Copies players (each with a new ball, see Player's copy), levels, name, hole and whose
    // turn it is. A constructed copy or move takes the source's sound player and message
    // pump for its balls; an assigned match (copy or move) keeps its own and gives them to
    // the balls it takes over. Assignment destroys the old players' balls. Moves keep every
    // Player and ball where it is.
    Match(const Match& other);
    Match& operator=(const Match& other);
    Match(Match&& other);
    Match& operator=(Match&& other);
    ~Match();

    // --- Players ---

    // Appends a player (see Player's constructor) and gives its ball the sound player and
    // message pump set for all balls. Returns the new player.
    Player& AddPlayer(std::string_view name, std::uint32_t colour, std::int32_t pattern,
                      bool transparent, std::int32_t connection);
    // Removes the player at `index`; false (nothing changes) for an index out of range. The
    // current index keeps naming the same player when an earlier one goes; when the current
    // player goes, the turn index names the player after it, or 0 past the end.
    bool RemovePlayer(std::int32_t index);
    // Removes every player with this connection, from the last to the first. Returns how
    // many were removed.
    std::int32_t RemovePlayersOf(std::int32_t connection);
    // Makes every player with this connection a player of this computer, played from now on
    // by `hand` (Person: by this computer's person). Returns how many.
    std::int32_t ReleasePlayersOf(std::int32_t connection,
                                  ComputerStrength hand = ComputerStrength::Person);
    // Makes every player a player of this computer; those of other computers are played from
    // now on by `hand` (Person: by this computer's person).
    void MakeAllLocal(ComputerStrength hand = ComputerStrength::Person);

    std::int32_t PlayerCount() const;
    // The player at `index`; null when the index is out of range.
    Player* GetPlayer(std::int32_t index);
    const Player* GetPlayer(std::int32_t index) const;
    // Index of the player whose turn it is (0 before the first turn and without players).
    std::int32_t GetCurrentIndex() const { return current_; }
    // The player whose turn it is; null without players.
    Player* GetCurrentPlayer() { return GetPlayer(current_); }
    const Player* GetCurrentPlayer() const { return GetPlayer(current_); }

    // --- Course ID and levels ---

    // The match's name: the course ID, or empty when the levels are not a whole course.
    void SetName(std::string_view name) { name_ = std::string(name); }
    const std::string& GetName() const { return name_; }

    // Appends a hole; empties the name.
    void AddLevel(std::string_view levelId);
    // Removes the hole at `index` and empties the name; false (nothing changes) for an
    // index out of range. The hole being played is not renumbered.
    bool RemoveLevel(std::int32_t index);
    // Removes every hole and empties the name.
    void ClearLevels();
    std::int32_t LevelCount() const;
    // The level ID of the hole at `index`; empty for an index out of range.
    std::string GetLevelId(std::int32_t index) const;

    // Move a multiple selection of holes one place towards the start or the end, keeping
    // the selected holes in their order; both empty the name first. Indices out of range
    // and repeated ones are ignored. A selected hole that cannot move (the first one for
    // up, the last one for down) stays, and so do the selected holes packed against it.
    void MoveLevelsUp(std::span<const std::int32_t> indices);
    void MoveLevelsDown(std::span<const std::int32_t> indices);

    // Copies the level of the hole at `index` (LoadLevel) or of the hole being played
    // (LoadCurrentLevel) from the library into `level`: Loaded, NoSuchHole or MissingLevel.
    // On any answer but Loaded `level` is left as it was; the caller decides what a missing
    // level means (a network client asks its peers for it, the game view ends the match). Do
    // not load into a level on which a ball is rolling.
    LevelLoadResult LoadLevel(std::int32_t index, const LevelLibrary& library, Level& level) const;
    LevelLoadResult LoadCurrentLevel(const LevelLibrary& library, Level& level) const;
    // True when the library holds every level ID of the list (also when the list is empty).
    bool AllLevelsAvailable(const LevelLibrary& library) const;

    // --- Every player's ball ---

    // Puts every ball on `level`'s start (Ball::SetLevel: a rolling ball is stopped first).
    // The level is not owned and must outlive every putt on it.
    void SetLevelForAllBalls(const Level& level);
    void SetSoundForAllBalls(bool on);
    // Given to every ball now and to every ball of a player added later. Not owned; null
    // plays nothing.
    void SetSoundPlayerForAllBalls(SoundPlayer* player);
    // The user interface's event-loop step that Ball::Stop runs while it waits; given to
    // every ball now and to every ball of a player added later.
    void SetMessagePumpForAllBalls(std::function<bool()> pump);

    // --- Holes and turns ---

    // Index of the hole being played; -1 before the first hole, LevelCount() once over.
    std::int32_t GetHole() const { return hole_; }
    // Every hole has been played (also when a match without levels was started).
    bool IsOver() const;
    // A hole is being played: started and not over.
    bool IsPlayingHole() const;

    // Goes on to the next hole; true when there is one, and then every player is on it
    // with the turn pending. False when the match is over (it stays over).
    bool NextHole();
    // Hands out the turn within the hole being played and returns the player who putts
    // next, or null when nobody can putt any more (the hole is finished) or no hole is being
    // played. Every player still on the hole putts once per turn cycle, in list order; a
    // player found with StrokeLimit strokes gets one more and leaves the hole.
    Player* NextPlayer();
    // Records a putt of the current player on the hole being played (Player::RecordPutt),
    // before the ball moves. False (nothing recorded) without players or outside a hole.
    bool RecordCurrentPutt(double speed, double heading);
    // The current player's ball has come to rest; one that dropped into the cup takes the
    // player off the hole.
    void CurrentBallStopped(bool inCup);

    // Index of the player with the fewest strokes in total, the earliest on a tie; 0
    // without players.
    std::int32_t Leader() const;
    // Indices of every player whose total equals the leader's, in list order; empty
    // without players.
    std::vector<std::int32_t> Winners() const;
    // The winners' names joined by WinnerSeparator; empty without players.
    std::string WinnersText() const;

    // Starts again before the first hole: every player loses strokes and putts. Players,
    // levels and name stay.
    void Restart();
    // Removes every level and player, empties the name and goes back before the first hole.
    void Clear();

private:
    void copyFrom(const Match& other);
    void equipBall(Ball& ball) const;

    std::string name_;
    std::vector<std::unique_ptr<Player>> players_;
    std::vector<std::string> levelIds_;
    std::int32_t hole_ = -1;
    std::int32_t current_ = 0;
    // What every ball needs from its surroundings; it cannot be read back from a ball.
    SoundPlayer* soundPlayer_ = nullptr;
    std::function<bool()> pump_;
};

}  // namespace trundlex
