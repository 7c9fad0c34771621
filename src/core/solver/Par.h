#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "ShippedPars.h"

namespace trundlex {

class Level;

// A player who has not holed out after this many strokes leaves the hole; a par must fit in it.
inline constexpr int ParStrokeLimit = 7;

// Trials played for each par: enough that the median is rarely one stroke off.
inline constexpr int ParTrials = 200;

struct ParOptions {
    int trials = ParTrials;
    // Threads of the search (0: one per core).
    int threads = 0;
    // When set meanwhile, the par is not worked out.
    const std::atomic<bool>* stop = nullptr;
};

// The par: what a careful person scores on the level at least half of the time. The level is
// played from its start in `trials` trials with the hand of HandSpread::person(), each stroke
// planned from where the ball lies (HandTrials.h); the par is the median score, at most
// ParStrokeLimit. 0 when most trials never hole out and the solver finds no way into the cup
// within ParStrokeLimit strokes even with a perfect hand. Deterministic, whatever the number of
// threads; takes a second or two for most levels.
int computePar(const Level& level);
// The same with options; nothing when *stop was set meanwhile.
std::optional<int> computePar(const Level& level, const ParOptions& options);
inline std::optional<int> computePar(const Level& level, int threads,
                                     const std::atomic<bool>* stop) {
    return computePar(level, ParOptions{.threads = threads, .stop = stop});
}

// The share of the par's trials, all of them played out, that hole out within `par` strokes:
// near one half the par is tight, near one it is generous. Played as computePar plays, with
// the same hands, so it belongs to the par computePar gives. Nothing when *stop was set
// meanwhile or `par` is not a par (below 1).
std::optional<double> computeHoleRate(const Level& level, int par, const ParOptions& options = {});

// What the par depends on: a 64-bit hash of the level text (blocks, start, size).
std::uint64_t levelFingerprint(const Level& level);

// The par of every level met so far, by level ID, kept in a small text file so that each level
// is solved once per user. A level whose blocks changed since (same ID, other fingerprint) is
// solved again. Safe to use from several threads; a par being computed does not hold the lock.
// Several programs may share the file: a save merges with what the file holds by then.
// The shipped levels' pars come first: a level the shipped table names, as it is now, takes its
// par from there and is never solved nor written to the file.
class ParCache {
public:
    // Reads the file when it exists; an empty path keeps the table in memory only. Lines that
    // cannot be read are dropped.
    explicit ParCache(std::string path, ShippedPars shipped = {});

    // The shipped or stored par, when either table has one for this level as it is now.
    std::optional<int> lookup(const Level& level) const;
    // The shipped table alone: the pars every computer with these levels agrees on.
    const ShippedPars& shipped() const { return shipped_; }
    // The stored par, or a new one computed and saved (the save may fail quietly: the par is
    // then computed again next time).
    int parOf(const Level& level);
    // The same on `threads` threads; nothing (and nothing stored) when *stop was set
    // meanwhile.
    std::optional<int> parOf(const Level& level, int threads, const std::atomic<bool>* stop);

private:
    std::optional<int> lookup(const std::string& id, std::uint64_t fingerprint) const;
    static void readTable(const std::string& path, ParEntries& entries);
    void saveLocked();

    std::string path_;
    // Read-only after construction, so read without the lock.
    const ShippedPars shipped_;
    mutable std::mutex mutex_;
    ParEntries entries_;
    // The levels this program solved itself, which it writes over the file's entries.
    std::set<std::string> solvedHere_;
};

}  // namespace trundlex
