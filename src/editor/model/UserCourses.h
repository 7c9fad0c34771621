#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/Course.h"

namespace trundlex {

class RandomSource;

// This user's own courses, in the folder the game reads them from, as the editor's
// Add to course offers them: a level is appended to one of them or starts a new one.
class UserCourses {
public:
    // Reads every course file under `folder` and its subfolders, in the order the game reads
    // them, and sorts them by name. A missing folder and files that are no courses add
    // nothing; courses without an ID (which the game does not list) are left out.
    explicit UserCourses(std::string folder);

    const std::string& folder() const { return folder_; }
    const std::vector<Course>& courses() const { return courses_; }

    // Appends `levelId` to the course at `index` and saves it in its own file. The course
    // keeps its ID, and so its high scores, as when the game updates a course. False, with the
    // reason in `error` when given, when the index is out of range or the file cannot be
    // written; the course and its file are then as they were.
    bool addTo(int index, std::string_view levelId, RandomSource& random,
               std::string* error = nullptr);
    // Makes a course named `name` that holds `levelId` and saves it as "<name>.cou" in the
    // folder (created when missing); a course of another ID already in that file is kept and
    // the new one goes beside it (see Course::OtherCourse::Keep). Characters that file names
    // may not hold become "-". The new course joins courses(). False, with the reason in
    // `error`, when the name is empty or nothing can be written.
    bool create(std::string_view name, std::string_view levelId, RandomSource& random,
                std::string* error = nullptr);

    // The file name a course called `name` is saved under, without the folder.
    static std::string fileNameFor(std::string_view name);

private:
    std::string folder_;
    std::vector<Course> courses_;
};

}  // namespace trundlex
