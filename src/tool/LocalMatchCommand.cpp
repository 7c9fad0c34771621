// trundlex-tool local-match: a whole game of computer players through the game controller, as
// the browser page's module runs it (src/web/LocalMatch.h), so that the page's games can be
// checked against this build's.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "Commands.h"
#include "CourseLookup.h"
#include "ToolArguments.h"
#include "web/LocalMatch.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kLocalMatch = {
    "local-match", "local-match LEVEL.lev... --players NAME:STRENGTH,... [--seed S] [--events]",
    "Play the levels as holes of a game of computer players, run through the game controller "
    "as the browser page runs it; prints each hole's strokes, the totals and the winners."};

int localMatch(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kLocalMatch);
    args.addArgumentList("LEVEL.lev", "The levels, one hole each, in their order.", 1)
        .addRequiredOption("players", "NAME:STRENGTH,...",
                           "The computer players in their order, each with easy, medium or hard.")
        .addOption("seed", "S",
                   "The game's random sequence, from 0 to 4294967295 (default 1): the same seed "
                   "plays the same game.")
        .addFlag("events", "Print what the game's view is told, line by line, before the result.");
    if (const auto done = args.parse(raw, out, err)) {
        return *done;
    }
    long long seed = 1;
    if (!args.readWhole("seed", 0LL, 4294967295LL, seed)) {
        return kUsageError;
    }
    web::LocalMatch match(static_cast<std::uint32_t>(seed));
    std::istringstream players(args.text("players"));
    for (std::string player; std::getline(players, player, ',');) {
        const auto colon = player.rfind(':');
        ComputerStrength strength = ComputerStrength::Medium;
        if (colon == std::string::npos || !readStrength(player.substr(colon + 1), strength) ||
            !match.addComputer(player.substr(0, colon), strength)) {
            return args.refuse("--players takes NAME:easy|medium|hard, ..., not \"" + player +
                               "\"");
        }
    }
    for (const std::string& path : args.positionals()) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!in.good() && !in.eof()) {
            err << path << ": cannot be read\n";
            return 1;
        }
        if (!match.addLevel(bytes)) {
            err << path << ": not a level file\n";
            return 1;
        }
    }
    if (!match.start()) {
        return args.refuse("name at least one player");
    }
    const bool events = args.isSet("events");
    const auto report = [&] {
        for (const std::string& line : match.takeEvents()) {
            if (events) {
                out << line << "\n";
            }
        }
    };
    while (match.advance(1000)) {
        report();
    }
    report();
    if (!match.isOver()) {
        err << "local-match: the game stopped before its end\n";
        return 1;
    }
    out << match.result();
    return 0;
}

}  // namespace

std::vector<Command> localMatchCommands() {
    return {{kLocalMatch, localMatch}};
}

}  // namespace trundlex::tool
