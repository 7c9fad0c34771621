#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "level/Level.h"

namespace trundlex {

class LevelLibrary;
class RandomSource;

// What a course resolves to in a level library.
struct CourseLevels {
    // The levels that were found, in playing order.
    std::vector<Level> levels;
    // How many level IDs were found, and how many the course lists.
    int found = 0;
    int expected = 0;
    // The course's ID when every level was found, which makes the game count for the
    // course's high scores; empty otherwise.
    std::string courseId;

    bool complete() const { return found == expected; }
};

// A named, ordered list of level IDs played as one game, stored one per ".cou" file:
// archive strings "TrundlexCourse 1", the name and the course ID, an archive integer N and
// N archive strings with the level IDs. The file's name does not matter for the identity; the
// course ID does, and keys the course's high scores.
class Course {
public:
    static constexpr std::string_view Magic = "TrundlexCourse 1";

    // An empty course: no level IDs, every string empty.
    Course() = default;

    const std::string& path() const { return path_; }
    void setPath(std::string_view path) { path_ = std::string(path); }

    // Sets the path, then reads the course from that file. False when the path is empty, the
    // file cannot be opened, it does not start with the magic, it ends early, or it lists
    // more level IDs than the rest of the file can hold; the course is then left as it was
    // (apart from the path). A count of zero or below reads as an empty list.
    bool load(std::string_view path);
    // The same from a stream holding a course file's bytes (a page hands them over); the path
    // stays as it is.
    bool read(std::istream& in);

    // What save() does when the file at the path holds another course (another ID) by the
    // time it writes: another program may have saved a course of the same name there.
    enum class OtherCourse {
        Replace,  // the path was asked for explicitly (a command line's output file)
        Keep,     // the other course stays; this one goes to the first free "NAME-N.cou" beside
    };

    // Writes the course to its path, replacing an existing file only once the new one is
    // complete. An empty ID is first generated from `random` and kept. The folder's course
    // lock (a ".courses.lock" file in it, see FileLock) is held meanwhile, so that two programs
    // saving into one folder take turns and each sees the other's files; the same course (same
    // ID) is simply replaced. path() tells where the course went. False, with a reason in
    // `error` when given, when the path is empty, the lock is not obtained within a few
    // seconds or the file cannot be written; the files are then unchanged.
    bool save(RandomSource& random, OtherCourse other = OtherCourse::Replace,
              std::string* error = nullptr);

    const std::string& name() const { return name_; }
    // A different name (byte for byte) empties the ID, so the course gets a new ID and with
    // it a new high-score list when it is next saved; the same name changes nothing.
    void setName(std::string_view name);

    // The course ID: a signed 32-bit number in decimal, or empty until first generated.
    const std::string& id() const { return id_; }
    // Gives a course that no file holds (one the program puts together, such as the course of
    // a day) the ID its high scores are kept under. Set it after the name: setName empties it.
    void setId(std::string_view id) { id_ = std::string(id); }

    int levelCount() const { return static_cast<int>(levelIds_.size()); }
    // `index` must be below levelCount().
    const std::string& levelId(int index) const;
    // Appends at the end; the same ID may appear more than once.
    void addLevelId(std::string_view levelId) { levelIds_.emplace_back(levelId); }
    void clearLevelIds() { levelIds_.clear(); }
    // Puts `to` wherever `from` stands in the level list (a level saved with a new ID after it
    // was changed) and returns how many places changed. The course ID stays as it is, so the
    // course keeps its high scores.
    int replaceLevelId(std::string_view from, std::string_view to);

    // A new course ID for the current name and level IDs: a start value drawn from `random`
    // (0 ... 32767), then for each byte c of the name followed by the level IDs, taken as a
    // signed 8-bit value, R = R * 37 + c in wrapping 32-bit arithmetic; R in decimal.
    std::string generateId(RandomSource& random) const;

    // Looks every level ID up in `library`, in order, and collects the levels found.
    CourseLevels resolve(const LevelLibrary& library) const;

    // Byte-wise order of the names, for the course pickers.
    static bool lessByName(const Course& a, const Course& b) { return a.name_ < b.name_; }

    friend bool operator==(const Course&, const Course&) = default;

private:
    // Whether `path` is taken by anything but this course's own file.
    bool holdsAnotherCourse(const std::string& path) const;

    std::vector<std::string> levelIds_;
    std::string name_;
    std::string id_;
    std::string path_;
};

}  // namespace trundlex
