#include <iostream>

#include "Commands.h"
#include "ToolArguments.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "util/RandomSource.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kCoursePack = {
    "course-pack", "course-pack OUT.cou NAME LEVEL.lev...",
    "Store a course with a new course ID that plays the given level files in this order."};
constexpr CommandInfo kCourseInfo = {
    "course-info", "course-info FILE.cou",
    "Print the name, the course ID and the level IDs of a course file."};

int coursePack(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kCoursePack);
    args.addArgument("OUT.cou", "The course file to write; an existing one is replaced.")
        .addArgument("NAME", "The course's name.")
        .addArgumentList("LEVEL.lev", "The level files in playing order; each needs an ID.", 1);
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const std::span<const std::string> given = args.positionals();
    Course course;
    course.setPath(given[0]);
    course.setName(given[1]);
    // Every level is read before anything is written, so a bad one leaves OUT.cou alone.
    for (const std::string& path : given.subspan(2)) {
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
    std::string error;
    if (!course.save(random, Course::OtherCourse::Replace, &error)) {
        err << "cannot write " << given[0] << ": " << error << "\n";
        return 1;
    }
    out << "wrote " << given[0] << " (" << course.levelCount() << " levels, ID " << course.id()
        << ")\n";
    return 0;
}

int courseInfo(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kCourseInfo);
    args.addArgument("FILE.cou", "The course file to describe.");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const std::string& file = args.positionals()[0];
    Course course;
    if (!course.load(file)) {
        err << file << ": cannot be read as a course file\n";
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
    return {{kCoursePack, coursePack}, {kCourseInfo, courseInfo}};
}

}  // namespace trundlex::tool
