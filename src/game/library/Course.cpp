#include "library/Course.h"

#include <cassert>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "level/Archive.h"
#include "library/ArchiveBounds.h"
#include "library/LevelLibrary.h"
#include "util/FileLock.h"
#include "util/RandomSource.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

// The smallest archive string: a one-byte prefix of length 0.
constexpr std::uint64_t kMinStringBytes = 1;

// Guards the course files of one folder; a hidden name, so that no list of files shows it.
constexpr const char* kLockName = ".courses";

// How far "NAME-2.cou", "NAME-3.cou"... are tried before a save gives up.
constexpr int kMaxBesideNames = 999;

}  // namespace

bool Course::load(std::string_view path) {
    path_ = std::string(path);
    if (path_.empty()) {
        return false;
    }
    std::ifstream file(path_, std::ios::binary);
    return file && read(file);
}

bool Course::read(std::istream& in) {
    // Anything that does not open with the magic's one-byte prefix is not a course file;
    // refusing it here spares reading whatever length a foreign file's first bytes claim.
    if (in.peek() != static_cast<int>(Magic.size())) {
        return false;
    }
    ArchiveReader archive(in);
    std::string magic;
    if (!archive.readString(magic) || magic != Magic) {
        return false;
    }
    // Everything is read into a fresh course so that a failed read keeps this one whole.
    Course read;
    read.path_ = path_;
    std::int32_t count = 0;
    if (!archive.readString(read.name_) || !archive.readString(read.id_) ||
        !archive.readInt32(count)) {
        return false;
    }
    if (!countFits(in, count, kMinStringBytes)) {
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        std::string levelId;
        if (!archive.readString(levelId)) {
            return false;
        }
        read.levelIds_.push_back(std::move(levelId));
    }
    *this = std::move(read);
    return true;
}

bool Course::save(RandomSource& random, OtherCourse other, std::string* error) {
    const auto fail = [error](std::string reason) {
        if (error) {
            *error = std::move(reason);
        }
        return false;
    };
    if (path_.empty()) {
        return fail("the course has no file name");
    }
    if (levelIds_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return fail("the course has too many levels");
    }
    if (id_.empty()) {
        id_ = generateId(random);
    }
    std::ostringstream bytes;
    ArchiveWriter archive(bytes);
    archive.writeString(Magic);
    archive.writeString(name_);
    archive.writeString(id_);
    archive.writeInt32(static_cast<std::int32_t>(levelIds_.size()));
    for (const std::string& levelId : levelIds_) {
        archive.writeString(levelId);
    }
    if (!archive.ok()) {
        return fail("the course cannot be encoded");
    }
    // One lock for the folder rather than one per file: picking a free name and writing it
    // must be one step, or two programs could pick the same one.
    const std::filesystem::path wanted(path_);
    const FileLock lock((wanted.parent_path() / kLockName).string());
    if (!lock.locked()) {
        return fail(lock.error());
    }
    std::string target = path_;
    if (other == OtherCourse::Keep) {
        for (int n = 2; holdsAnotherCourse(target); ++n) {
            if (n > kMaxBesideNames) {
                return fail("no free file name beside " + path_);
            }
            std::filesystem::path beside = wanted;
            beside.replace_filename(wanted.stem().string() + "-" + std::to_string(n) +
                                    wanted.extension().string());
            target = beside.string();
        }
    }
    if (!writeFileSafely(target, std::move(bytes).str(), error)) {
        return false;
    }
    path_ = target;
    return true;
}

bool Course::holdsAnotherCourse(const std::string& path) const {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        return false;
    }
    // Whatever else lies there is not this program's to replace either.
    Course there;
    return !there.load(path) || there.id_ != id_;
}

void Course::setName(std::string_view name) {
    if (name == name_) {
        return;
    }
    name_ = std::string(name);
    id_.clear();
}

const std::string& Course::levelId(int index) const {
    assert(index >= 0 && index < levelCount());
    return levelIds_[static_cast<std::size_t>(index)];
}

int Course::replaceLevelId(std::string_view from, std::string_view to) {
    int replaced = 0;
    for (std::string& levelId : levelIds_) {
        if (levelId == from) {
            levelId = std::string(to);
            ++replaced;
        }
    }
    return replaced;
}

std::string Course::generateId(RandomSource& random) const {
    // A generator that strays outside its range is folded back into 0 ... 32767.
    std::uint32_t r = static_cast<std::uint32_t>(random.next()) & 0x7FFFu;
    const auto mix = [&r](std::string_view text) {
        for (const char c : text) {
            // Unsigned arithmetic wraps like the 32-bit signed arithmetic it stands for.
            r = r * 37u +
                static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        }
    };
    mix(name_);
    for (const std::string& levelId : levelIds_) {
        mix(levelId);
    }
    return std::to_string(static_cast<std::int32_t>(r));
}

CourseLevels Course::resolve(const LevelLibrary& library) const {
    CourseLevels result;
    result.expected = levelCount();
    for (const std::string& levelId : levelIds_) {
        const int index = library.findById(levelId);
        if (index >= 0) {
            result.levels.push_back(library.at(index));
        }
    }
    result.found = static_cast<int>(result.levels.size());
    if (result.complete()) {
        result.courseId = id_;
    }
    return result;
}

}  // namespace trundlex
