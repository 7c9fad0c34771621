#include "library/LibraryReading.h"

namespace trundlex {

int readLibraries(LevelLibrary& levels, CourseLibrary& courses, ScanProgress* progress) {
    const int before = levels.count() + courses.count();
    levels.scan(progress);
    levels.sort();
    courses.scan(progress);
    courses.sort();
    return levels.count() + courses.count() - before;
}

}  // namespace trundlex
