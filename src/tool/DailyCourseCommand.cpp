// trundlex-tool daily: the course of the day, as the game and the room host draw it.
#include <chrono>
#include <iostream>
#include <map>

#include "Commands.h"
#include "CourseLookup.h"
#include "ToolArguments.h"
#include "ToolFolders.h"
#include "library/DailyCourse.h"
#include "library/LevelLibrary.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kDaily = {
    "daily", "daily [--date YYYY-MM-DD] [--days N] [--levels DIR]",
    "Print the course of the day (its name, course ID, and each level's ID and par in playing "
    "order) for today's UTC date or the date given, drawn from the levels that have a par in "
    "the table beside them."};

int daily(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kDaily);
    args.addOption("date", "YYYY-MM-DD", "The UTC day to draw (default: today).")
        .addOption("days", "N", "Print N days from that one on, from 1 to 366 (default 1).")
        .addOption("levels", "DIR",
                   "The folder of level files and their pars.txt (default: the shipped levels).");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    long days = 1;
    if (!args.readWhole("days", 1L, 366L, days)) {
        return kUsageError;
    }
    std::int64_t first = DailyCourse::dayOf(std::chrono::duration_cast<std::chrono::seconds>(
                                                std::chrono::system_clock::now().time_since_epoch())
                                                .count());
    if (args.isSet("date")) {
        const auto given = DailyCourse::parseDate(args.text("date"));
        if (!given) {
            return args.refuse("--date " + args.text("date") + ": not a date written YYYY-MM-DD");
        }
        first = *given;
    }
    std::string folder = args.text("levels");
    if (folder.empty()) {
        folder = shippedFolder("levels");
        if (folder.empty()) {
            err << "no shipped levels folder found; give --levels DIR\n";
            return 1;
        }
    }
    LevelLibrary library("");
    library.scanFolder(folder, true);
    const std::vector<DailyCourse::Candidate> pool = dailyCandidates(library, folder, err);
    if (pool.empty()) {
        err << folder << ": no level with a par in pars.txt to draw from\n";
        return 1;
    }
    std::map<std::string, int> pars;
    for (const auto& candidate : pool) {
        pars[candidate.id] = candidate.par;
    }
    DailyCourse drawing(pool);
    for (std::int64_t day = first; day < first + days; ++day) {
        const std::optional<Course> course = drawing.course(day);
        out << "name: " << course->name() << "\n"
            << "id: " << course->id() << "\n";
        for (int i = 0; i < course->levelCount(); ++i) {
            out << "level: " << course->levelId(i) << " par " << pars[course->levelId(i)] << "\n";
        }
    }
    return 0;
}

}  // namespace

std::vector<Command> dailyCommands() {
    return {{kDaily, daily}};
}

}  // namespace trundlex::tool
