#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/Course.h"

namespace trundlex {

// The courses in one folder tree (the user's own courses, which the game reads) that list a
// level, so that they can follow the level when a change gives it a new ID.
class LevelCourses {
public:
    // A course that could not be saved: its file and why.
    struct Failure {
        std::string path;
        std::string error;
    };

    // Reads every course file under `folder` and its subfolders (in the order the game's
    // library reads them) that lists `levelId`. A missing folder, files that are no course
    // and courses without an ID (which the game does not list) add nothing.
    LevelCourses(const std::string& folder, std::string_view levelId);

    int count() const { return static_cast<int>(courses_.size()); }
    const std::vector<Course>& courses() const { return courses_; }

    // Puts `newId` wherever the level's ID stands in each course and saves the course to its
    // own file. Each course keeps its ID and so its high scores. Returns the courses that could
    // not be saved; their files are left as they were.
    std::vector<Failure> follow(std::string_view newId);

private:
    std::string levelId_;
    std::vector<Course> courses_;
};

}  // namespace trundlex
