#include <iostream>

#include "Commands.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "util/RandomSource.h"

namespace trundlex::tool {

namespace {

int coursePack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3) {
        err << "usage: trundlex-tool course-pack OUT.cou NAME LEVEL.lev...\n";
        return 2;
    }
    Course course;
    course.setPath(args[0]);
    course.setName(args[1]);
    // Every level is read before anything is written, so a bad one leaves OUT.cou alone.
    for (const std::string& path : args.subspan(2)) {
        Level level;
        if (loadLevelFile(path, level) != LevelLoadResult::Loaded) {
            err << path << ": cannot be read as a level file\n";
            return 1;
        }
        if (level.id().empty()) {
            err << path << ": the level has no ID, so no course can find it\n";
            return 1;
        }
        course.addLevelId(level.id());
    }
    SeededRandom random = SeededRandom::fromClock();
    if (!course.save(random)) {
        err << "cannot write " << args[0] << "\n";
        return 1;
    }
    out << "wrote " << args[0] << " (" << course.levelCount() << " levels, ID " << course.id()
        << ")\n";
    return 0;
}

int courseInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: trundlex-tool course-info FILE.cou\n";
        return 2;
    }
    Course course;
    if (!course.load(args[0])) {
        err << args[0] << ": cannot be read as a course file\n";
        return 1;
    }
    out << "name: " << course.name() << "\n"
        << "id: " << course.id() << "\n";
    for (int i = 0; i < course.levelCount(); ++i) {
        out << "level: " << course.levelId(i) << "\n";
    }
    return 0;
}

}  // namespace

std::vector<Command> courseCommands() {
    return {
        {"course-pack", "course-pack OUT.cou NAME LEVEL.lev...",
         "Store a course with a new course ID that plays the given level files in this order.",
         coursePack},
        {"course-info", "course-info FILE.cou",
         "Print the name, the course ID and the level IDs of a course file.", courseInfo},
    };
}

}  // namespace trundlex::tool
