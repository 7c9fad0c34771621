#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trundlex {

// One result on a course.
struct HighScoreEntry {
    std::string name;
    // When the result was added, in seconds since 1970-01-01 00:00 UTC. The file keeps it in
    // 32 bits, read as unsigned, which covers 1970 to 2106.
    std::int64_t time = 0;
    // The player's strokes over the whole course; fewer is better.
    std::int32_t score = 0;

    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};

// The ten best results of every course played on this computer, keyed by course ID (compared
// byte for byte). Lists are kept best first: lower score first, on equal scores the earlier
// time first, and entries equal in both in the order they were added.
//
// The file: archive string "Trundlex 1", an archive integer C, then C course records, each
// the course ID, an archive integer E and E entries of name, score and time (4 bytes,
// little-endian). Courses whose list is empty are not written.
class HighScoreStore {
public:
    static constexpr int MaxEntries = 10;
    static constexpr std::string_view Magic = "Trundlex 1";
    // The file's name in the per-user data folder (its folder is found by the platform).
    static constexpr std::string_view FileName = "highscore.dat";

    // Seconds since 1970-01-01 00:00 UTC.
    using Clock = std::function<std::int64_t()>;

    // An empty store. `clock` gives the time for addNow; the system clock when empty.
    explicit HighScoreStore(Clock clock = {});

    // The index of `courseId` among the courses that have a list, or -1. With `create`, an
    // unknown ID is appended with an empty list and its new index returned.
    int findCourse(std::string_view courseId, bool create);
    // Adds one result and cuts the course's list to the ten best. True when the result is
    // among those ten: with fewer than ten entries always, with ten only when the score is
    // strictly lower than the tenth's (an equal score sorts after the older entries).
    bool add(std::string_view courseId, std::string_view name, std::int32_t score,
             std::int64_t time);
    // add() with the clock's current time.
    bool addNow(std::string_view courseId, std::string_view name, std::int32_t score);

    int courseCount() const { return static_cast<int>(courses_.size()); }
    // `index` must be below courseCount().
    const std::string& courseIdAt(int index) const;
    // 0 for a course that has no list.
    int entryCount(std::string_view courseId) const;
    // The index-th best entry; `index` must be below entryCount(courseId).
    HighScoreEntry entryAt(std::string_view courseId, int index) const;
    // Removes the course at `index` and its list; later courses move down by one. Nothing
    // happens for an index out of range.
    void removeCourseAt(int index);
    // Removes every course.
    void clear();

    // Reads the file at `path` and adds its results to the store, every list sorted and cut
    // to ten again. A file that does not start with the magic is ignored: false, the store
    // unchanged. A file that cannot be opened, ends early or whose counts promise more than
    // it holds empties the whole store (results already read included) and gives false.
    bool load(const std::string& path);
    // Writes the store to `path`, creating its folder when missing. Another program may have
    // written the file since this one read it, so under the file's lock (FileLock) the file
    // is read again and what this store did since its last save (results added, courses
    // removed or cleared) is done once more on that content; the outcome is written and
    // becomes this store's lists. A file that cannot be read as a store is replaced by this
    // store's lists. The old file is replaced only by a complete new one: false, with a
    // reason in `error` when given, when anything fails (the lock included, which is waited
    // for a few seconds at most); the file is then unchanged and the changes are kept for the
    // next save.
    bool save(const std::string& path, std::string* error = nullptr);
    // Whether results were added or lists removed since the last successful save.
    bool hasUnsavedChanges() const { return !changes_.empty(); }

private:
    struct CourseScores {
        std::string courseId;
        std::vector<HighScoreEntry> entries;
    };

    // Something this store did that a save does again on the file's current content.
    struct Change {
        enum Kind { Add, Remove, Clear } kind;
        std::string courseId;
        HighScoreEntry entry;
    };

    const CourseScores* find(std::string_view courseId) const;
    bool place(std::string_view courseId, HighScoreEntry entry);
    void apply(const Change& change);
    bool readFrom(std::istream& file);
    bool write(const std::string& path, std::string* error) const;
    void reindex();

    Clock clock_;
    std::vector<CourseScores> courses_;
    // Course ID to its index in courses_: a file of tens of thousands of courses must not
    // cost a search through all of them per entry read.
    struct IdHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view id) const {
            return std::hash<std::string_view>{}(id);
        }
    };
    std::unordered_map<std::string, std::size_t, IdHash, std::equal_to<>> index_;
    // Since the last successful save.
    std::vector<Change> changes_;
};

}  // namespace trundlex
