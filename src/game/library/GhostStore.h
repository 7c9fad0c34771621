#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "play/GhostRound.h"

namespace trundlex {

// The best round on every course finished on this computer, kept to be shown as a ghost on
// the next round there. One round per course ID (compared byte for byte): the one of fewest
// strokes, and of equal ones the earlier.
//
// The file: archive string Magic, an archive integer R, then R rounds, each the course ID,
// the player's name, the score, the time (two integers: low and high 32 bits), an integer H
// and H holes of the level ID, an integer P and P putts of speed, heading, x and y (each
// double as its 64 bits, low then high 32) and the putt's stroke. Doubles go as their bits so
// that a ghost putts exactly what the ball putted.
class GhostStore {
public:
    static constexpr std::string_view Magic = "Trundlex ghosts 1";
    // The file's name in the per-user data folder.
    static constexpr std::string_view FileName = "ghosts.dat";
    // Courses kept; beyond, the round played longest ago goes.
    static constexpr std::size_t MaxRounds = 200;
    // Limits a file must keep to be read at all.
    static constexpr std::size_t MaxFileBytes = 16u << 20;
    static constexpr int MaxHoles = 100;
    // A hole ends after eight strokes; more putts than this come from no round, and each
    // putt is rolled when its hole is shown, so a file must not ask for thousands.
    static constexpr int MaxPuttsPerHole = 20;

    // The round kept for `courseId`, or null.
    const GhostRound* find(std::string_view courseId) const;
    // Keeps `round` when it is plausible and better than the one kept for its course (or
    // there is none). True when it was kept.
    bool offer(const GhostRound& round);
    std::size_t size() const { return rounds_.size(); }

    // Replaces the store's rounds with the file's. A file that is missing gives an empty
    // store and true; one that is damaged, too large or not a ghost file gives an empty store
    // and false. A round that is implausible is left out, the rest is kept.
    bool load(const std::string& path);
    // Writes the store to `path`, creating its folder when missing. Under the file's lock
    // (FileLock) the file is read again and the rounds this store was offered since it last
    // loaded or saved are offered to that content, so two programs that save one after the
    // other both keep their rounds. The old file is replaced only by a complete new one:
    // false, with a reason in `error` when given, when anything fails; the offered rounds are
    // then kept for the next save.
    bool save(const std::string& path, std::string* error = nullptr);

private:
    bool readFrom(const std::string& bytes);
    std::string encode() const;
    // Keeps at most MaxRounds, the most recent.
    void trim();

    std::vector<GhostRound> rounds_;
    // Offered and kept since the last load or save.
    std::vector<GhostRound> offered_;
};

}  // namespace trundlex
