#include "library/GhostStore.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "level/Archive.h"
#include "library/ArchiveBounds.h"
#include "util/BitCast.h"
#include "util/FileLock.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

// Whether `a` beats `b` on the same course: fewer strokes, or as many and played earlier.
bool better(const GhostRound& a, const GhostRound& b) {
    return a.score < b.score || (a.score == b.score && a.time < b.time);
}

void write64(ArchiveWriter& out, std::uint64_t bits) {
    out.writeInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
    out.writeInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32)));
}

bool read64(ArchiveReader& in, std::uint64_t& bits) {
    std::int32_t low = 0;
    std::int32_t high = 0;
    if (!in.readInt32(low) || !in.readInt32(high)) {
        return false;
    }
    bits = static_cast<std::uint64_t>(static_cast<std::uint32_t>(low)) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32);
    return true;
}

void writeDouble(ArchiveWriter& out, double v) {
    write64(out, bitCast<std::uint64_t>(v));
}

bool readDouble(ArchiveReader& in, double& v) {
    std::uint64_t bits = 0;
    if (!read64(in, bits)) {
        return false;
    }
    v = bitCast<double>(bits);
    return true;
}

// The smallest a putt takes in the file: four doubles and the stroke.
constexpr std::uint64_t kPuttBytes = 4 * 8 + 4;
// A hole: an empty ID and a count.
constexpr std::uint64_t kHoleBytes = 1 + 4;
// A round: two empty strings, score, time, hole count.
constexpr std::uint64_t kRoundBytes = 1 + 1 + 4 + 8 + 4;

bool readRound(std::istream& bytes, ArchiveReader& in, GhostRound& round) {
    std::uint64_t time = 0;
    std::int32_t holes = 0;
    if (!in.readString(round.courseId) || !in.readString(round.player) ||
        !in.readInt32(round.score) || !read64(in, time) || !in.readInt32(holes) || holes < 0 ||
        holes > GhostStore::MaxHoles || !countFits(bytes, holes, kHoleBytes)) {
        return false;
    }
    round.time = static_cast<std::int64_t>(time);
    for (std::int32_t h = 0; h < holes; ++h) {
        std::string levelId;
        std::int32_t putts = 0;
        if (!in.readString(levelId) || !in.readInt32(putts) || putts < 0 ||
            putts > GhostStore::MaxPuttsPerHole || !countFits(bytes, putts, kPuttBytes)) {
            return false;
        }
        round.levelIds.push_back(std::move(levelId));
        std::vector<PuttRecord>& hole = round.holes.emplace_back();
        for (std::int32_t p = 0; p < putts; ++p) {
            PuttRecord putt;
            putt.hole = h;
            if (!readDouble(in, putt.speed) || !readDouble(in, putt.heading) ||
                !readDouble(in, putt.x) || !readDouble(in, putt.y) || !in.readInt32(putt.stroke)) {
                return false;
            }
            hole.push_back(putt);
        }
    }
    return true;
}

}  // namespace

const GhostRound* GhostStore::find(std::string_view courseId) const {
    const auto it = std::find_if(rounds_.begin(), rounds_.end(),
                                 [&](const GhostRound& r) { return r.courseId == courseId; });
    return it == rounds_.end() ? nullptr : &*it;
}

bool GhostStore::offer(const GhostRound& round) {
    if (!round.plausible() || static_cast<int>(round.holes.size()) > MaxHoles) {
        return false;
    }
    for (const auto& putts : round.holes) {
        if (static_cast<int>(putts.size()) > MaxPuttsPerHole) {
            return false;
        }
    }
    const auto it = std::find_if(rounds_.begin(), rounds_.end(),
                                 [&](const GhostRound& r) { return r.courseId == round.courseId; });
    if (it != rounds_.end()) {
        if (!better(round, *it)) {
            return false;
        }
        *it = round;
    } else {
        rounds_.push_back(round);
        trim();
    }
    offered_.push_back(round);
    return true;
}

void GhostStore::trim() {
    while (rounds_.size() > MaxRounds) {
        const auto oldest = std::min_element(
            rounds_.begin(), rounds_.end(),
            [](const GhostRound& a, const GhostRound& b) { return a.time < b.time; });
        rounds_.erase(oldest);
    }
}

bool GhostStore::load(const std::string& path) {
    rounds_.clear();
    offered_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return true;
    }
    std::string bytes;
    if (readFileUpTo(path, MaxFileBytes, bytes) != CappedRead::Read) {
        return false;
    }
    return readFrom(bytes);
}

bool GhostStore::readFrom(const std::string& bytes) {
    std::istringstream stream(bytes);
    ArchiveReader in(stream);
    std::string magic;
    std::int32_t count = 0;
    if (!in.readString(magic) || magic != Magic || !in.readInt32(count) || count < 0 ||
        !countFits(stream, count, kRoundBytes)) {
        return false;
    }
    std::vector<GhostRound> read;
    for (std::int32_t r = 0; r < count; ++r) {
        GhostRound round;
        if (!readRound(stream, in, round)) {
            return false;
        }
        read.push_back(std::move(round));
    }
    // Through offer, so that an implausible round or a second one for a course is sorted
    // out as any other would be.
    for (const GhostRound& round : read) {
        offer(round);
    }
    offered_.clear();
    return true;
}

std::string GhostStore::encode() const {
    std::ostringstream bytes;
    ArchiveWriter out(bytes);
    out.writeString(Magic);
    out.writeInt32(static_cast<std::int32_t>(rounds_.size()));
    for (const GhostRound& round : rounds_) {
        out.writeString(round.courseId);
        out.writeString(round.player);
        out.writeInt32(round.score);
        write64(out, static_cast<std::uint64_t>(round.time));
        out.writeInt32(static_cast<std::int32_t>(round.holes.size()));
        for (std::size_t h = 0; h < round.holes.size(); ++h) {
            out.writeString(round.levelIds[h]);
            out.writeInt32(static_cast<std::int32_t>(round.holes[h].size()));
            for (const PuttRecord& putt : round.holes[h]) {
                writeDouble(out, putt.speed);
                writeDouble(out, putt.heading);
                writeDouble(out, putt.x);
                writeDouble(out, putt.y);
                out.writeInt32(putt.stroke);
            }
        }
    }
    return out.ok() ? std::move(bytes).str() : std::string();
}

bool GhostStore::save(const std::string& path, std::string* error) {
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ignored);
    }
    const FileLock lock(path);
    if (!lock.locked()) {
        if (error) {
            *error = lock.error();
        }
        return false;
    }
    GhostStore merged;
    if (!merged.load(path)) {
        // A damaged file holds nothing worth keeping over this store's rounds.
        merged.rounds_ = rounds_;
    }
    for (const GhostRound& round : offered_) {
        merged.offer(round);
    }
    const std::string bytes = merged.encode();
    if (bytes.empty()) {
        if (error) {
            *error = "the rounds cannot be encoded";
        }
        return false;
    }
    if (!writeFileSafely(path, bytes, error)) {
        return false;
    }
    rounds_ = std::move(merged.rounds_);
    offered_.clear();
    return true;
}

}  // namespace trundlex
