// trundlex-tool play-course: how a computer player of a strength scores against par.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "CourseLookup.h"
#include "ToolArguments.h"
#include "ToolFolders.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "library/LevelLibrary.h"
#include "play/ComputerPlayer.h"
#include "solver/HandTrials.h"
#include "solver/Par.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kPlayCourse = {
    "play-course",
    "play-course FILE.cou|LEVEL.lev... --strength easy|medium|hard [--games N] [--seed S] "
    "[--levels DIR]",
    "Play the holes of courses and level files again and again with a computer player of a "
    "strength; prints \"hole N NAME par P mean M\" for each hole and \"total par P mean M\"."};

// The holes named on the command line, in order: level files as they are, courses by their
// levels. False after telling why.
bool collectHoles(const std::vector<std::string>& names, const std::string& levelsDir,
                  std::vector<Level>& holes, std::ostream& err) {
    LevelLibrary library("");
    bool scanned = false;
    for (const std::string& name : names) {
        if (std::filesystem::path(name).extension() == ".lev") {
            Level level;
            if (loadLevelFile(name, level) != LevelLoadResult::Loaded) {
                err << name << ": cannot be read as a level file\n";
                return false;
            }
            holes.push_back(std::move(level));
            continue;
        }
        Course course;
        if (!loadNamedCourse(name, course, err)) {
            return false;
        }
        if (!scanned) {
            library.scanFolder(levelsDir.empty() ? shippedFolder("levels") : levelsDir, true);
            scanned = true;
        }
        for (int i = 0; i < course.levelCount(); ++i) {
            const int found = library.findById(course.levelId(i));
            if (found < 0) {
                err << name << ": level " << course.levelId(i) << " is not in the levels folder\n";
                return false;
            }
            holes.push_back(library.at(found));
        }
    }
    return true;
}

int playCourse(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kPlayCourse);
    args.addArgumentList("FILE.cou|LEVEL.lev",
                         "Courses (a file, or the name of a shipped or own course) and level "
                         "files, played in this order.",
                         1)
        .addRequiredOption("strength", "S", "How well the computer plays: easy, medium or hard.")
        .addOption("games", "N", "How often each hole is played, from 1 to 10000 (default 20).")
        .addOption("seed", "S", "Where the computer's errors start, from 0 to 4294967295 "
                                "(default 1); the same seed gives the same scores.")
        .addOption("levels", "DIR",
                   "The folder of level files that a course's levels are looked up in "
                   "(default: the shipped levels).");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    long games = 20;
    long long seed = 1;
    ComputerStrength strength = ComputerStrength::Medium;
    if (!args.readWhole("games", 1L, 10000L, games) ||
        !args.readWhole("seed", 0LL, 4294967295LL, seed)) {
        return kUsageError;
    }
    if (!readStrength(args.text("strength"), strength)) {
        return args.refuse("--strength must be easy, medium or hard");
    }
    std::vector<Level> holes;
    if (!collectHoles(args.positionals(), args.text("levels"), holes, err)) {
        return 1;
    }
    int totalPar = 0;
    double totalMean = 0.0;
    char mean[32];
    for (std::size_t i = 0; i < holes.size(); ++i) {
        const Level& level = holes[i];
        const int par = computePar(level);
        const PuttSolver solver(level);
        // One planner for all games of a hole: a ball that comes to rest where an earlier
        // game's did is played the same way, which the game's own computer player would
        // work out again.
        PuttPlanner planner(solver, {});
        const TrialResult played =
            playTrials(solver, planner, level.startX(), level.startY(),
                       {.trials = static_cast<int>(games),
                        .seed = static_cast<std::uint32_t>(seed) + static_cast<std::uint32_t>(i),
                        .hand = handOf(strength),
                        .strokeLimit = ParStrokeLimit});
        double sum = 0.0;
        for (const int score : played.strokes) {
            sum += score;
        }
        const double holeMean = sum / static_cast<double>(games);
        std::snprintf(mean, sizeof mean, "%.2f", holeMean);
        out << "hole " << i + 1 << " " << level.name() << " par " << par << " mean " << mean
            << "\n" << std::flush;
        totalPar += par;
        totalMean += holeMean;
    }
    std::snprintf(mean, sizeof mean, "%.2f", totalMean);
    out << "total par " << totalPar << " mean " << mean << "\n";
    return 0;
}

}  // namespace

std::vector<Command> playCourseCommands() { return {{kPlayCourse, playCourse}}; }

}  // namespace trundlex::tool
