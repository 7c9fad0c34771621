#pragma once

#include <string>

#include "library/Course.h"
#include "library/FileLibrary.h"

namespace trundlex {

// The courses of the game: every ".cou" file under the "courses" folder of the program
// folder, then under the "courses" folder of the user's own data folder.
class CourseLibrary : public FileLibrary<Course> {
public:
    // `userFolder`: the user's own data folder, whose "courses" is read after the shipped one;
    // empty: none.
    explicit CourseLibrary(std::string programFolder, std::string userFolder = {})
        : FileLibrary(std::move(programFolder), "cou", std::move(userFolder)) {}

    // The program folder followed by "courses".
    std::string folderPath() const override { return programSubfolder("courses"); }
    // The user folder followed by "courses"; empty without a user folder.
    std::string userFolderPath() const override { return userSubfolder("courses"); }
    // True when the course has an ID and no course in the list has the same one.
    bool isAcceptable(const Course& course) const override { return isNewId(course.id()); }

    // Orders the list with Course::lessByName.
    void sort();

protected:
    bool loadItem(const std::string& path, Course& course) const override;
};

}  // namespace trundlex
