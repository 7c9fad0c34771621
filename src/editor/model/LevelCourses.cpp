#include "model/LevelCourses.h"

#include "library/FolderWalker.h"
#include "util/RandomSource.h"

namespace trundlex {

LevelCourses::LevelCourses(const std::string& folder, std::string_view levelId)
    : levelId_(levelId) {
    if (folder.empty() || levelId_.empty()) {
        return;
    }
    FolderWalker("cou").walk(folder, true, [this](const std::string& path) {
        Course course;
        if (!course.load(path) || course.id().empty()) {
            return;
        }
        for (int i = 0; i < course.levelCount(); ++i) {
            if (course.levelId(i) == levelId_) {
                courses_.push_back(std::move(course));
                return;
            }
        }
    });
}

std::vector<LevelCourses::Failure> LevelCourses::follow(std::string_view newId) {
    // Every course read has an ID, so saving never draws a new one.
    SeededRandom unused(0);
    std::vector<Failure> failures;
    for (Course& course : courses_) {
        Course changed = course;
        changed.replaceLevelId(levelId_, newId);
        std::string error;
        if (changed.save(unused, Course::OtherCourse::Replace, &error)) {
            course = std::move(changed);
        } else {
            failures.push_back({course.path(), error});
        }
    }
    levelId_ = std::string(newId);
    return failures;
}

}  // namespace trundlex
