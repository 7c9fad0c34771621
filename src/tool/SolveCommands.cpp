#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "Commands.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "solver/Par.h"
#include "solver/PuttSolver.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

namespace fs = std::filesystem;

std::optional<double> positiveNumber(const std::string& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value) || value <= 0.0) {
        return std::nullopt;
    }
    return value;
}

constexpr const char* kSolveUsage =
    "usage: trundlex-tool solve FILE.lev [--max-strokes N] [--time-limit S]\n";

int solve(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file;
    SolverOptions options{.maxStrokes = ParStrokeLimit};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<double> value;
        if ((a == "--max-strokes" || a == "--time-limit") && i + 1 < args.size()) {
            value = positiveNumber(args[++i]);
        }
        if (a == "--max-strokes" && value && *value == std::trunc(*value) && *value <= 20) {
            options.maxStrokes = static_cast<int>(*value);
        } else if (a == "--time-limit" && value && *value <= 86400) {
            options.timeLimit = *value;
        } else if (!file && !a.starts_with("--")) {
            file = a;
        } else {
            err << "unexpected or bad argument: " << a
                << " (--max-strokes takes 1 to 20, --time-limit seconds up to a day)\n"
                << kSolveUsage;
            return 2;
        }
    }
    if (!file) {
        err << kSolveUsage;
        return 2;
    }
    Level level;
    if (loadLevelFile(*file, level) != LevelLoadResult::Loaded) {
        err << *file << ": cannot be read as a level file\n";
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

int par(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: trundlex-tool par DIR\n";
        return 2;
    }
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(args[0], ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && it->path().extension() == ".lev") {
            files.push_back(it->path());
        }
    }
    if (ec) {
        err << args[0] << ": " << ec.message() << "\n";
        return 1;
    }
    std::sort(files.begin(), files.end());
    int failures = 0;
    for (const fs::path& path : files) {
        Level level;
        if (loadLevelFile(path.string(), level) != LevelLoadResult::Loaded) {
            err << path.string() << ": cannot be read as a level file\n";
            ++failures;
            continue;
        }
        const int p = computePar(level);
        out << fs::relative(path, args[0], ec).string() << ": " << level.name() << ": ";
        if (p > 0) {
            out << "par " << p << "\n";
        } else {
            out << "no par (not holed out in " << ParStrokeLimit << " strokes)\n";
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

std::vector<Command> solveCommands() {
    return {{"solve", "solve FILE.lev [--max-strokes N] [--time-limit S]",
             "Search putts that hole out from the level's start; prints \"putt: SPEED HEADING\" "
             "lines and \"strokes: N\" (exit 1 when none holes out).",
             solve},
            {"par", "par DIR",
             "Print the par of every level file under a folder, as the solver finds it.", par}};
}

}  // namespace trundlex::tool
