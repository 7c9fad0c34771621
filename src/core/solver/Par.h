#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

namespace trundlex {

class Level;

// A player who has not holed out after this many strokes leaves the hole; a par must fit in it.
inline constexpr int ParStrokeLimit = 7;

// The fewest strokes in which the solver holes out from the level's start; 0 when it finds no
// way within ParStrokeLimit strokes. Deterministic, and slow for hard levels (seconds).
int computePar(const Level& level);
// The same on `threads` threads (0: one per core); nothing when *stop was set meanwhile.
std::optional<int> computePar(const Level& level, int threads, const std::atomic<bool>* stop);

// What the par depends on: a 64-bit hash of the level text (blocks, start, size).
std::uint64_t levelFingerprint(const Level& level);

// The par of every level met so far, by level ID, kept in a small text file so that each level
// is solved once per user. A level whose blocks changed since (same ID, other fingerprint) is
// solved again. Safe to use from several threads; a par being computed does not hold the lock.
// Several programs may share the file: a save merges with what the file holds by then.
class ParCache {
public:
    // Reads the file when it exists; an empty path keeps the table in memory only. Lines that
    // cannot be read are dropped.
    explicit ParCache(std::string path);

    // The stored par, when the table has one for this level as it is now.
    std::optional<int> lookup(const Level& level) const;
    // The stored par, or a new one computed and saved (the save may fail quietly: the par is
    // then computed again next time).
    int parOf(const Level& level);
    // The same on `threads` threads; nothing (and nothing stored) when *stop was set
    // meanwhile.
    std::optional<int> parOf(const Level& level, int threads, const std::atomic<bool>* stop);

private:
    struct Entry {
        std::uint64_t fingerprint = 0;
        int par = 0;
    };
    std::optional<int> lookup(const std::string& id, std::uint64_t fingerprint) const;
    static void readTable(const std::string& path, std::map<std::string, Entry>& entries);
    void saveLocked();

    std::string path_;
    mutable std::mutex mutex_;
    std::map<std::string, Entry> entries_;
    // The levels this program solved itself, which it writes over the file's entries.
    std::set<std::string> solvedHere_;
};

}  // namespace trundlex
