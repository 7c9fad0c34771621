#include "Par.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "HandTrials.h"
#include "PuttSolver.h"
#include "level/Level.h"
#include "util/FileLock.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

// A par file of thousands of levels is a few hundred kilobytes; anything much larger is not
// ours.
constexpr std::size_t kMaxFileBytes = 8u << 20;
// Version 3: each trial with its own hand (version 2 shared one hand among the trials, version
// 1 held the fewest strokes of a perfect hand). A file of another version is worked out again.
constexpr std::string_view kHeader = "trundlex par 3";

}  // namespace

int computePar(const Level& level) { return computePar(level, ParOptions{}).value_or(0); }

std::optional<int> computePar(const Level& level, const ParOptions& options) {
    const PuttSolver solver(level);
    PuttPlanner planner(solver, {.threads = options.threads, .stop = options.stop});
    const TrialResult played =
        playTrials(solver, planner, level.startX(), level.startY(),
                   {.trials = std::max(options.trials, 1),
                    .strokeLimit = ParStrokeLimit,
                    .untilMedianKnown = true});
    // A plan that needed no search (a tap-in) never looks at the stop request.
    if (played.stopped || (options.stop != nullptr && options.stop->load())) {
        return std::nullopt;
    }
    const int median = medianScore(played.strokes, std::max(options.trials, 1));
    if (median <= ParStrokeLimit) {
        return std::max(median, 1);
    }
    // Most plays never holed out: par 7 if a perfect hand can, no par if not even it can.
    const SolverResult perfect = solver.solve(
        {.maxStrokes = ParStrokeLimit, .threads = options.threads, .stop = options.stop});
    if (perfect.timedOut) {
        return std::nullopt;
    }
    return perfect.holed ? ParStrokeLimit : 0;
}

std::optional<double> computeHoleRate(const Level& level, int par, const ParOptions& options) {
    if (par < 1) {
        return std::nullopt;
    }
    const PuttSolver solver(level);
    PuttPlanner planner(solver, {.threads = options.threads, .stop = options.stop});
    const int trials = std::max(options.trials, 1);
    const TrialResult played = playTrials(solver, planner, level.startX(), level.startY(),
                                          {.trials = trials, .strokeLimit = ParStrokeLimit});
    if (played.stopped || (options.stop != nullptr && options.stop->load())) {
        return std::nullopt;
    }
    const auto within = std::count_if(played.strokes.begin(), played.strokes.end(),
                                      [par](int strokes) { return strokes <= par; });
    return static_cast<double>(within) / trials;
}

std::uint64_t levelFingerprint(const Level& level) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a
    for (const unsigned char c : level.toText()) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

ParCache::ParCache(std::string path, ShippedPars shipped)
    : path_(std::move(path)), shipped_(std::move(shipped)) {
    if (!path_.empty()) {
        readTable(path_, entries_);
    }
}

void ParCache::readTable(const std::string& path, ParEntries& entries) {
    std::string bytes;
    if (readFileUpTo(path, kMaxFileBytes, bytes) != CappedRead::Read) {
        return;
    }
    std::istringstream in(bytes);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        return;
    }
    // Lines that cannot be read are left out: their pars are worked out again.
    while (std::getline(in, line)) {
        std::string id;
        ParEntry entry;
        if (readParLine(line, id, entry)) {
            entries[id] = entry;
        }
    }
}

std::optional<int> ParCache::lookup(const Level& level) const {
    return lookup(level.id(), levelFingerprint(level));
}

std::optional<int> ParCache::lookup(const std::string& id, std::uint64_t fingerprint) const {
    if (const std::optional<int> shipped = shipped_.lookup(id, fingerprint)) {
        return shipped;
    }
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(id);
    if (it == entries_.end() || it->second.fingerprint != fingerprint) {
        return std::nullopt;
    }
    return it->second.par;
}

int ParCache::parOf(const Level& level) { return parOf(level, 0, nullptr).value_or(0); }

std::optional<int> ParCache::parOf(const Level& level, int threads, const std::atomic<bool>* stop) {
    const std::uint64_t fingerprint = levelFingerprint(level);
    if (const std::optional<int> known = lookup(level.id(), fingerprint)) {
        return known;
    }
    const std::optional<int> par = computePar(level, threads, stop);
    if (par && storableParId(level.id())) {
        std::lock_guard lock(mutex_);
        entries_[level.id()] = {fingerprint, *par};
        solvedHere_.insert(level.id());
        saveLocked();
    }
    return par;
}

void ParCache::saveLocked() {
    if (path_.empty()) {
        return;
    }
    // The per-user folder may not exist yet on a first run.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
    // Another program may have added pars since this one read the file: the union is
    // written, with this program's own results where both know a level.
    const FileLock lock(path_);
    if (!lock.locked()) {
        return;
    }
    ParEntries merged;
    readTable(path_, merged);
    for (const std::string& id : solvedHere_) {
        merged[id] = entries_.at(id);
    }
    entries_ = std::move(merged);
    writeFileSafely(path_, parTableText(kHeader, entries_));
}

}  // namespace trundlex
