#include "model/UserCourses.h"

#include <algorithm>
#include <filesystem>

#include "library/FolderWalker.h"

namespace trundlex {

namespace {

bool fail(std::string* error, std::string reason) {
    if (error) {
        *error = std::move(reason);
    }
    return false;
}

}  // namespace

UserCourses::UserCourses(std::string folder) : folder_(std::move(folder)) {
    if (folder_.empty()) {
        return;
    }
    FolderWalker("cou").walk(folder_, true, [this](const std::string& path) {
        Course course;
        if (course.load(path) && !course.id().empty()) {
            courses_.push_back(std::move(course));
        }
    });
    std::stable_sort(courses_.begin(), courses_.end(), Course::lessByName);
}

bool UserCourses::addTo(int index, std::string_view levelId, RandomSource& random,
                        std::string* error) {
    if (index < 0 || index >= static_cast<int>(courses_.size())) {
        return fail(error, "no such course");
    }
    Course changed = courses_[static_cast<std::size_t>(index)];
    changed.addLevelId(levelId);
    if (!changed.save(random, Course::OtherCourse::Replace, error)) {
        return false;
    }
    courses_[static_cast<std::size_t>(index)] = std::move(changed);
    return true;
}

bool UserCourses::create(std::string_view name, std::string_view levelId, RandomSource& random,
                         std::string* error) {
    if (name.empty()) {
        return fail(error, "the course has no name");
    }
    std::error_code made;
    std::filesystem::create_directories(folder_, made);
    if (made) {
        return fail(error, "cannot create " + folder_ + ": " + made.message());
    }
    Course course;
    course.setName(name);
    course.addLevelId(levelId);
    course.setPath((std::filesystem::path(folder_) / fileNameFor(name)).string());
    if (!course.save(random, Course::OtherCourse::Keep, error)) {
        return false;
    }
    courses_.push_back(std::move(course));
    return true;
}

std::string UserCourses::fileNameFor(std::string_view name) {
    std::string file(name);
    for (char& c : file) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
            c = '-';
        }
    }
    // A leading dot would hide the file from the game's library.
    file.erase(0, file.find_first_not_of('.'));
    if (file.empty()) {
        file = "course";
    }
    return file + ".cou";
}

}  // namespace trundlex
