#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <vector>

#include "Commands.h"
#include "ToolArguments.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "solver/HoleRates.h"
#include "solver/Par.h"
#include "solver/PuttSolver.h"
#include "solver/ShippedPars.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

namespace fs = std::filesystem;

constexpr CommandInfo kSolve = {
    "solve", "solve FILE.lev [--max-strokes N] [--time-limit S]",
    "Search putts that hole out from the level's start; prints \"putt: SPEED HEADING\" lines "
    "and \"strokes: N\" (exit 1 when none holes out)."};
constexpr CommandInfo kPar = {
    "par", "par DIR [--table]",
    "Print the par of every level file under a folder, as the solver finds it; with --table, "
    "as the table of shipped pars that the game reads (levels/pars.txt)."};
constexpr CommandInfo kHoleRates = {
    "hole-rates", "hole-rates DIR",
    "Print the table of hole rates the game reads (levels/rates.txt): for every level file "
    "under a folder whose par the folder's pars.txt holds, the share of the par's trials that "
    "hole out within par."};

// The level files under `folder`, its subfolders included, in the order of their paths; false,
// told on `err`, when the folder cannot be walked.
bool levelFilesUnder(const fs::path& folder, std::vector<fs::path>& files, std::ostream& err) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && it->path().extension() == ".lev") {
            files.push_back(it->path());
        }
    }
    if (ec) {
        err << folder.string() << ": " << ec.message() << "\n";
        return false;
    }
    std::sort(files.begin(), files.end());
    return true;
}

int solve(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kSolve);
    args.addArgument("FILE.lev", "The level to solve.")
        .addOption("max-strokes", "N",
                   "The most strokes a solution may take, from 1 to 20 (default " +
                       std::to_string(ParStrokeLimit) + ").")
        .addOption("time-limit", "S",
                   "End the search after S seconds, at most 86400 (a day), and print what it "
                   "found (default: no limit).");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    SolverOptions options;
    double maxStrokes = ParStrokeLimit;
    if (!args.readNumber("max-strokes", {.low = 1, .high = 20, .whole = true}, maxStrokes) ||
        !args.readNumber("time-limit", {.low = 0, .high = 86400, .aboveLow = true},
                         options.timeLimit)) {
        return kUsageError;
    }
    options.maxStrokes = static_cast<int>(maxStrokes);
    const std::string& file = args.positionals()[0];
    Level level;
    if (loadLevelFile(file, level) != LevelLoadResult::Loaded) {
        err << file << ": cannot be read as a level file\n";
        return 1;
    }
    const SolverResult result = PuttSolver(level).solve(options);
    for (const SolvedPutt& p : result.putts) {
        out << "putt: " << formatExact(p.speed) << " " << formatExact(p.heading) << "\n";
    }
    if (result.holed) {
        out << "strokes: " << result.putts.size() << "\n";
        return 0;
    }
    out << "not holed out" << (result.timedOut ? " (time limit reached)" : "") << "; "
        << "closest " << formatExact(result.distanceLeft) << " blocks from the cup\n";
    return 1;
}

int par(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kPar);
    args.addArgument("DIR", "The folder to search for level files, its subfolders included.")
        .addFlag("table",
                 "Print the pars as the shipped-par table, keyed by level ID and fingerprint "
                 "(exit 1 when two files share an ID).");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const std::string& folder = args.positionals()[0];
    std::vector<fs::path> files;
    if (!levelFilesUnder(folder, files, err)) {
        return 1;
    }
    const bool table = args.isSet("table");
    ShippedPars shipped;
    std::map<std::string, std::string> tabled;  // level ID: the first file of that ID
    int failures = 0;
    for (const fs::path& path : files) {
        Level level;
        if (loadLevelFile(path.string(), level) != LevelLoadResult::Loaded) {
            err << path.string() << ": cannot be read as a level file\n";
            ++failures;
            continue;
        }
        const int p = computePar(level);
        if (table) {
            // The game finds a shipped par by the level's ID: two files of one ID would
            // share a line.
            if (const auto first = tabled.find(level.id()); first != tabled.end()) {
                err << path.string() << ": the same level ID as " << first->second << "\n";
                ++failures;
            } else if (!shipped.add(level, p)) {
                err << path.string() << ": its level ID cannot be stored in the table\n";
                ++failures;
            }
            tabled.emplace(level.id(), path.string());
            continue;
        }
        // "/" between folders on every system, so that listings compare alike.
        std::error_code ec;
        out << fs::relative(path, folder, ec).generic_string() << ": " << level.name() << ": ";
        if (p > 0) {
            out << "par " << p << "\n";
        } else {
            out << "no par (not holed out in " << ParStrokeLimit << " strokes)\n";
        }
    }
    if (table && failures == 0) {
        out << shipped.toText();
    }
    return failures == 0 ? 0 : 1;
}

int holeRates(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kHoleRates);
    args.addArgument("DIR", "The folder of the level files and their pars.txt.");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const fs::path folder = args.positionals()[0];
    ShippedPars pars;
    if (pars.load((folder / "pars.txt").string()) != ShippedPars::ReadResult::Read) {
        err << (folder / "pars.txt").string() << ": no table of pars to rate\n";
        return 1;
    }
    std::vector<fs::path> files;
    if (!levelFilesUnder(folder, files, err)) {
        return 1;
    }
    HoleRates rates;
    int failures = 0;
    for (const fs::path& path : files) {
        Level level;
        if (loadLevelFile(path.string(), level) != LevelLoadResult::Loaded) {
            err << path.string() << ": cannot be read as a level file\n";
            ++failures;
            continue;
        }
        const std::optional<int> par = pars.lookup(level);
        if (!par || *par < 1) {
            continue;  // no par to hole out within
        }
        const std::optional<double> rate = computeHoleRate(level, *par);
        if (!rate || !rates.add(level, *rate)) {
            err << path.string() << ": no hole rate\n";
            ++failures;
        }
    }
    if (failures > 0) {
        return 1;
    }
    out << rates.toText();
    return 0;
}

}  // namespace

std::vector<Command> solveCommands() {
    return {{kSolve, solve}, {kPar, par}, {kHoleRates, holeRates}};
}

}  // namespace trundlex::tool
