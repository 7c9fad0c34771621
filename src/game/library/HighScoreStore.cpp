#include "library/HighScoreStore.h"

#include <algorithm>
#include <cassert>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "level/Archive.h"
#include "library/ArchiveBounds.h"
#include "util/FileLock.h"
#include "util/SafeFile.h"

namespace trundlex {

namespace {

// The smallest course record: an empty ID and the entry count.
constexpr std::uint64_t kMinCourseBytes = 1 + 4;

bool before(const HighScoreEntry& a, const HighScoreEntry& b) {
    return a.score != b.score ? a.score < b.score : a.time < b.time;
}

std::uint32_t fileTime(std::int64_t time) {
    return static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(time, 0, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

HighScoreStore::HighScoreStore(Clock clock) : clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    }
}

int HighScoreStore::findCourse(std::string_view courseId, bool create) {
    if (const CourseScores* found = find(courseId)) {
        return static_cast<int>(found - courses_.data());
    }
    if (!create) {
        return -1;
    }
    courses_.push_back({std::string(courseId), {}});
    index_.emplace(courses_.back().courseId, courses_.size() - 1);
    return courseCount() - 1;
}

bool HighScoreStore::add(std::string_view courseId, std::string_view name, std::int32_t score,
                         std::int64_t time) {
    HighScoreEntry entry{std::string(name), time, score};
    changes_.push_back({Change::Add, std::string(courseId), entry});
    return place(courseId, std::move(entry));
}

bool HighScoreStore::place(std::string_view courseId, HighScoreEntry entry) {
    auto& entries = courses_[static_cast<std::size_t>(findCourse(courseId, true))].entries;
    // After every entry that is not worse, so that equal entries keep the order of adding.
    const auto place = std::upper_bound(entries.begin(), entries.end(), entry, before);
    const auto position = place - entries.begin();
    entries.insert(place, std::move(entry));
    if (entries.size() > static_cast<std::size_t>(MaxEntries)) {
        entries.resize(MaxEntries);
    }
    // Whether the new result is still in the list. For a result added now this is the rule
    // "fewer than ten, or strictly below the tenth"; for an older time on an equal score it
    // also tells the truth, where deciding before inserting would report a result as refused
    // that nonetheless took a place.
    return position < MaxEntries;
}

bool HighScoreStore::addNow(std::string_view courseId, std::string_view name, std::int32_t score) {
    return add(courseId, name, score, clock_());
}

const std::string& HighScoreStore::courseIdAt(int index) const {
    assert(index >= 0 && index < courseCount());
    return courses_[static_cast<std::size_t>(index)].courseId;
}

int HighScoreStore::entryCount(std::string_view courseId) const {
    const CourseScores* found = find(courseId);
    return found ? static_cast<int>(found->entries.size()) : 0;
}

HighScoreEntry HighScoreStore::entryAt(std::string_view courseId, int index) const {
    const CourseScores* found = find(courseId);
    assert(found != nullptr && index >= 0 && index < static_cast<int>(found->entries.size()));
    return found->entries[static_cast<std::size_t>(index)];
}

void HighScoreStore::removeCourseAt(int index) {
    if (index >= 0 && index < courseCount()) {
        changes_.push_back({Change::Remove, courseIdAt(index), {}});
        apply(changes_.back());
    }
}

void HighScoreStore::clear() {
    changes_.push_back({Change::Clear, {}, {}});
    apply(changes_.back());
}

void HighScoreStore::apply(const Change& change) {
    switch (change.kind) {
        case Change::Add:
            place(change.courseId, change.entry);
            break;
        case Change::Remove:
            if (const int index = findCourse(change.courseId, false); index >= 0) {
                courses_.erase(courses_.begin() + index);
                reindex();
            }
            break;
        case Change::Clear:
            courses_.clear();
            index_.clear();
            break;
    }
}

void HighScoreStore::reindex() {
    index_.clear();
    for (std::size_t i = 0; i < courses_.size(); ++i) {
        index_.emplace(courses_[i].courseId, i);
    }
}

const HighScoreStore::CourseScores* HighScoreStore::find(std::string_view courseId) const {
    const auto found = index_.find(courseId);
    return found == index_.end() ? nullptr : &courses_[found->second];
}

bool HighScoreStore::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const int first = file ? file.peek() : std::char_traits<char>::eof();
    // A damaged file is not something this program did: emptying the store for it is not
    // done to the file again on the next save.
    const auto empty = [this] { apply({Change::Clear, {}, {}}); };
    if (first == std::char_traits<char>::eof()) {
        empty();
        return false;
    }
    // Not opening with the magic's one-byte length: another file, not a damaged store.
    if (first != static_cast<int>(Magic.size())) {
        return false;
    }
    ArchiveReader archive(file);
    std::string magic;
    if (!archive.readString(magic)) {
        empty();
        return false;
    }
    if (magic != Magic) {
        return false;
    }
    if (!readFrom(file)) {
        empty();
        return false;
    }
    return true;
}

bool HighScoreStore::readFrom(std::istream& file) {
    ArchiveReader archive(file);
    std::int32_t courseCount = 0;
    if (!archive.readInt32(courseCount) || !countFits(file, courseCount, kMinCourseBytes)) {
        return false;
    }
    for (std::int32_t c = 0; c < courseCount; ++c) {
        std::string courseId;
        std::int32_t entryCount = 0;
        // The entry count is not checked against the rest of the file here: that seeks, and
        // a seek per course empties the stream's buffer, which made large files slow to read.
        // A count that promises too much still fails, at the first entry the file lacks.
        if (!archive.readString(courseId) || !archive.readInt32(entryCount)) {
            return false;
        }
        for (std::int32_t e = 0; e < entryCount; ++e) {
            std::string name;
            std::int32_t score = 0;
            std::int32_t time = 0;
            if (!archive.readString(name) || !archive.readInt32(score) ||
                !archive.readInt32(time)) {
                return false;
            }
            place(courseId, {std::move(name), static_cast<std::uint32_t>(time), score});
        }
    }
    return true;
}

bool HighScoreStore::save(const std::string& path, std::string* error) {
    // The folder may not exist on a first run; if it cannot be made, the lock or the write
    // says so.
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
    HighScoreStore merged(clock_);
    if (merged.load(path)) {
        for (const Change& change : changes_) {
            merged.apply(change);
        }
    } else {
        merged.courses_ = courses_;
    }
    if (!merged.write(path, error)) {
        return false;
    }
    courses_ = std::move(merged.courses_);
    reindex();
    changes_.clear();
    return true;
}

bool HighScoreStore::write(const std::string& path, std::string* error) const {
    std::ostringstream bytes;
    ArchiveWriter archive(bytes);
    archive.writeString(Magic);
    const auto written = std::count_if(courses_.begin(), courses_.end(),
                                       [](const CourseScores& c) { return !c.entries.empty(); });
    archive.writeInt32(static_cast<std::int32_t>(written));
    for (const CourseScores& course : courses_) {
        if (course.entries.empty()) {
            continue;
        }
        archive.writeString(course.courseId);
        archive.writeInt32(static_cast<std::int32_t>(course.entries.size()));
        for (const HighScoreEntry& entry : course.entries) {
            archive.writeString(entry.name);
            archive.writeInt32(entry.score);
            archive.writeInt32(static_cast<std::int32_t>(fileTime(entry.time)));
        }
    }
    if (!archive.ok()) {
        if (error) {
            *error = "the high scores cannot be encoded";
        }
        return false;
    }
    return writeFileSafely(path, std::move(bytes).str(), error);
}

}  // namespace trundlex
