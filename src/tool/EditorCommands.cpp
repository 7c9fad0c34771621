// The level designer's commands that run the editor's own operations: whole-level
// transformations and the random level generator.
#include <charconv>
#include <chrono>
#include <iostream>
#include <vector>

#include "Commands.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "model/LevelTransform.h"
#include "model/RandomLevelGenerator.h"
#include "platform/PlatformSupport.h"

namespace trundlex::tool {

namespace {

constexpr const char* kTransformUsage =
    "usage: trundlex-tool transform IN.lev OUT.lev OP... (OP: rotate, flip-h, flip-v, "
    "make-fit)\n";
constexpr const char* kRandomUsage =
    "usage: trundlex-tool random-level OUT.lev [--seed N] [--pieces DIR]\n";

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

int transform(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3) {
        err << kTransformUsage;
        return 2;
    }
    using Operation = void (*)(Level&);
    std::vector<Operation> operations;
    for (const std::string& op : args.subspan(2)) {
        if (op == "rotate") {
            operations.push_back(rotateQuarter);
        } else if (op == "flip-h") {
            operations.push_back(flipHorizontal);
        } else if (op == "flip-v") {
            operations.push_back(flipVertical);
        } else if (op == "make-fit") {
            operations.push_back([](Level& level) { makeFit(level); });
        } else {
            err << "unknown operation: " << op << "\n" << kTransformUsage;
            return 2;
        }
    }
    Level level;
    if (loadLevelFile(args[0], level) != LevelLoadResult::Loaded) {
        err << args[0] << ": cannot be read as a level file\n";
        return 1;
    }
    for (Operation operation : operations) {
        operation(level);
    }
    if (!save(level, args[1], err)) {
        return 1;
    }
    out << "wrote " << args[1] << " (" << level.width() << " x " << level.height() << ") with ID "
        << level.id() << "\n";
    return 0;
}

// The pieces shipped with the program (next to it, or in the installed data folder).
std::string shippedPiecesFolder() {
    return dataFolder(QStringLiteral("RBites")).toStdString();
}

bool parseSeed(const std::string& text, std::uint32_t& seed) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, seed);
    return !text.empty() && error == std::errc() && end == last;
}

int randomLevel(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string pieces;
    bool seeded = false;
    std::uint32_t seed = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--seed" && i + 1 < args.size()) {
            if (!parseSeed(args[++i], seed)) {
                err << "--seed takes a whole number from 0 to 4294967295\n" << kRandomUsage;
                return 2;
            }
            seeded = true;
        } else if (a == "--pieces" && i + 1 < args.size()) {
            pieces = args[++i];
        } else if (a.starts_with("--") || !path.empty()) {
            err << kRandomUsage;
            return 2;
        } else {
            path = a;
        }
    }
    if (path.empty()) {
        err << kRandomUsage;
        return 2;
    }
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
    return {
        {"transform", "transform IN.lev OUT.lev OP...",
         "Apply rotate (a quarter turn clockwise), flip-h, flip-v or make-fit, in the order "
         "given, and save the result with a new level ID as the editor does.",
         transform},
        {"random-level", "random-level OUT.lev [--seed N] [--pieces DIR]",
         "Generate a random 50 x 50 level from the template pieces (the shipped RBites folder, "
         "or DIR) and save it with a new level ID; the same seed gives the same "
         "level.",
         randomLevel},
    };
}

}  // namespace trundlex::tool
