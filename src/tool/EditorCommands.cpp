// The level designer's commands that run the editor's own operations: whole-level
// transformations and the random level generator.
#include <chrono>
#include <iostream>
#include <limits>
#include <vector>

#include "Commands.h"
#include "ToolArguments.h"
#include "ToolFolders.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "model/LevelTransform.h"
#include "model/RandomLevelGenerator.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kTransform = {
    "transform", "transform IN.lev OUT.lev OP...",
    "Apply rotate (a quarter turn clockwise), flip-h, flip-v or make-fit, in the order given, "
    "and save the result with a new level ID as the editor does."};
constexpr CommandInfo kRandomLevel = {
    "random-level", "random-level OUT.lev [--seed N] [--pieces DIR]",
    "Generate a random 50 x 50 level from the template pieces (the shipped RBites folder, or "
    "DIR) and save it with a new level ID; the same seed gives the same level."};

// Saves as the editor does: a fresh level ID, and the file replaced only once the new
// contents are safely written.
bool save(Level& level, const std::string& path, std::ostream& err) {
    std::string error;
    if (!saveLevelFile(level, path, systemLocalClock(), &error)) {
        err << "cannot write " << path << ": " << error << "\n";
        return false;
    }
    return true;
}

int transform(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kTransform);
    args.addArgument("IN.lev", "The level to transform; it stays as it is.")
        .addArgument("OUT.lev", "The level file to write; an existing one is replaced.")
        .addArgumentList("OP",
                         "rotate (a quarter turn clockwise), flip-h (left to right), flip-v (top "
                         "to bottom) or make-fit (cut to the blocks in use), in the order given.",
                         1);
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    const std::span<const std::string> given = args.positionals();
    using Operation = void (*)(Level&);
    std::vector<Operation> operations;
    for (const std::string& op : given.subspan(2)) {
        if (op == "rotate") {
            operations.push_back(rotateQuarter);
        } else if (op == "flip-h") {
            operations.push_back(flipHorizontal);
        } else if (op == "flip-v") {
            operations.push_back(flipVertical);
        } else if (op == "make-fit") {
            operations.push_back([](Level& level) { makeFit(level); });
        } else {
            return args.refuse("unknown operation: " + op);
        }
    }
    Level level;
    if (loadLevelFile(given[0], level) != LevelLoadResult::Loaded) {
        err << given[0] << ": cannot be read as a level file\n";
        return 1;
    }
    for (Operation operation : operations) {
        operation(level);
    }
    if (!save(level, given[1], err)) {
        return 1;
    }
    out << "wrote " << given[1] << " (" << level.width() << " x " << level.height() << ") with ID "
        << level.id() << "\n";
    return 0;
}

// The pieces shipped with the program (next to it, or in the installed data folder).
std::string shippedPiecesFolder() {
    return shippedFolder("RBites");
}

int randomLevel(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kRandomLevel);
    args.addArgument("OUT.lev", "The level file to write; an existing one is replaced.")
        .addOption("seed", "N",
                   "The generator's seed, a whole number from 0 to 4294967295 (default: from "
                   "the clock, printed so the level can be made again).")
        .addOption("pieces", "DIR", "The folder of template pieces (default: the shipped ones).");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    std::uint32_t seed = 0;
    if (!args.readWhole("seed", std::uint32_t{0}, std::numeric_limits<std::uint32_t>::max(),
                        seed)) {
        return kUsageError;
    }
    const bool seeded = args.isSet("seed");
    const std::string& path = args.positionals()[0];
    std::string pieces = args.text("pieces");
    if (!seeded) {
        // Told on the output, so that a level worth keeping can be made again.
        seed =
            static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }
    if (pieces.empty()) {
        pieces = shippedPiecesFolder();
        if (pieces.empty()) {
            err << "no RBites folder next to the program or in its data folder; name one with "
                   "--pieces\n";
            return 1;
        }
    }
    SeededRandom draws(seed);
    RandomLevelGenerator generator(pieces, draws);
    if (!generator.Generate()) {
        for (const std::string& problem : generator.problems()) {
            err << problem << "\n";
        }
        return 1;
    }
    Level& level = generator.level();
    if (!save(level, path, err)) {
        return 1;
    }
    int tiles = 0;
    for (int step : generator.route()) {
        tiles += step != RandomLevelGenerator::OffRoute ? 1 : 0;
    }
    out << "wrote " << path << " (" << level.width() << " x " << level.height() << ", seed " << seed
        << ", " << tiles << " tiles) with ID " << level.id() << "\n";
    return 0;
}

}  // namespace

std::vector<Command> editorCommands() {
    return {{kTransform, transform}, {kRandomLevel, randomLevel}};
}

}  // namespace trundlex::tool
