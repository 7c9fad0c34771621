// The page's module (build-web/bin/trundlex-page.js): what a browser page, a worker or node
// calls, bound with embind. Its types are in trundlex-page.d.ts beside it, which names the
// same version as apiVersion(); a change that breaks a caller raises the version.
//
// A game runs synchronously in advance(): a computer's thinking takes up to a second there,
// so a page runs the module in a Web Worker and hands the events to its view.
#include <emscripten/bind.h>

#include <string>

#include "web/LocalMatch.h"

namespace trundlex::web {

namespace {

constexpr int kApiVersion = 1;

int apiVersion() {
    return kApiVersion;
}

// Strengths as the page names them: 1 easy, 2 medium, 3 hard.
bool addComputer(LocalMatch& match, const std::string& name, int strength) {
    if (strength < static_cast<int>(ComputerStrength::Easy) ||
        strength > static_cast<int>(ComputerStrength::Hard)) {
        return false;
    }
    return match.addComputer(name, static_cast<ComputerStrength>(strength));
}

bool addLevel(LocalMatch& match, const std::string& levFile) {
    return match.addLevel(levFile);
}

// The event lines, joined by "\n" (none: "").
std::string takeEvents(LocalMatch& match) {
    std::string joined;
    for (const std::string& line : match.takeEvents()) {
        joined += joined.empty() ? line : "\n" + line;
    }
    return joined;
}

double gameTime(const LocalMatch& match) {
    return static_cast<double>(match.time());
}

}  // namespace

EMSCRIPTEN_BINDINGS(trundlex_page) {
    emscripten::function("apiVersion", &apiVersion);
    emscripten::class_<LocalMatch>("LocalGame")
        .constructor<std::uint32_t>()
        .function("addLevel", &addLevel)
        .function("addComputer", &addComputer)
        .function("start", &LocalMatch::start)
        .function("advance", &LocalMatch::advance)
        .function("isOver", &LocalMatch::isOver)
        .function("takeEvents", &takeEvents)
        .function("result", &LocalMatch::result)
        .function("time", &gameTime);
}

}  // namespace trundlex::web
