// The page's module (build-web/bin/trundlex-page.js): what a browser page, a worker or node
// calls, bound with embind. Its types are in trundlex-page.d.ts beside it, which names the
// same version as apiVersion(); a change that breaks a caller raises the version.
//
// A game runs synchronously in advance() and runUntil(): a computer's thinking takes up to a
// second there, so a page runs the module in a Web Worker and hands the events to its view.
#include <emscripten/bind.h>

#include <string>

#include "control/ForceMeter.h"
#include "web/LocalMatch.h"
#include "web/PageJson.h"

namespace trundlex::web {

namespace {

constexpr int kApiVersion = 2;

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

// embind hands strings (and byte arrays) over as std::string.
bool addLevel(LocalMatch& match, const std::string& levFile) {
    return match.addLevel(levFile);
}

bool addPerson(LocalMatch& match, const std::string& name) {
    return match.addPerson(name);
}

bool setPars(LocalMatch& match, const std::string& table) {
    return match.setPars(table);
}

std::string levelFileToJson(const std::string& levFile) {
    return levelFileJson(levFile);
}

std::string courseFileToJson(const std::string& couFile) {
    return courseFileJson(couFile);
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

// The page's clock is a double of milliseconds; a clock gone wrong (NaN, negative) moves
// nothing.
bool runUntil(LocalMatch& match, double ms) {
    const double until = ms >= 0.0 && ms < 9.0e15 ? ms : 0.0;
    return match.runUntil(static_cast<std::int64_t>(until));
}

int state(const LocalMatch& match) {
    return match.state();
}

double maxForce(const LocalMatch&) {
    return forcemeter::MaxForce;
}

double minimumForce(const LocalMatch&) {
    return forcemeter::MinimumPutt;
}

}  // namespace

EMSCRIPTEN_BINDINGS(trundlex_page) {
    emscripten::function("apiVersion", &apiVersion);
    emscripten::function("levelJson", &levelFileToJson);
    emscripten::function("courseJson", &courseFileToJson);
    emscripten::class_<LocalMatch>("LocalGame")
        .constructor<std::uint32_t>()
        .function("addLevel", &addLevel)
        .function("addComputer", &addComputer)
        .function("addPerson", &addPerson)
        .function("setPars", &setPars)
        .function("start", &LocalMatch::start)
        .function("advance", &LocalMatch::advance)
        .function("runUntil", &runUntil)
        .function("isOver", &LocalMatch::isOver)
        .function("state", &state)
        .function("aimAt", &LocalMatch::aimAt)
        .function("beginCharge", &LocalMatch::beginCharge)
        .function("releaseCharge", &LocalMatch::releaseCharge)
        .function("cancelCharge", &LocalMatch::cancelCharge)
        .function("puttWithForce", &LocalMatch::puttWithForce)
        .function("maxForce", &maxForce)
        .function("minimumForce", &minimumForce)
        .function("hurry", &LocalMatch::hurry)
        .function("levelJson", &LocalMatch::levelJson)
        .function("boardJson", &LocalMatch::boardJson)
        .function("takeEvents", &takeEvents)
        .function("result", &LocalMatch::result)
        .function("time", &gameTime);
}

}  // namespace trundlex::web
