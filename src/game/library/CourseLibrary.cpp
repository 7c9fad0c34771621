#include "library/CourseLibrary.h"

namespace trundlex {

void CourseLibrary::sort() {
    sortBy(&Course::lessByName);
}

bool CourseLibrary::loadItem(const std::string& path, Course& course) const {
    return course.load(path);
}

}  // namespace trundlex
