#pragma once

#include "library/CourseLibrary.h"
#include "library/LevelLibrary.h"

namespace trundlex {

// The game's reading at start-up, without its window: scans the levels, sorts them, scans
// the courses and sorts them, telling `progress` (when given) about every item added. Meant
// to run on a worker thread while nothing else touches the two libraries. Returns the number
// of items read, levels plus courses; files that could not be used are not counted.
int readLibraries(LevelLibrary& levels, CourseLibrary& courses, ScanProgress* progress);

}  // namespace trundlex
