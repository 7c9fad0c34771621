// The page's module (build-web/bin/trundlex-page.js): what a browser page, a worker or node
// calls, bound with embind. Its types are in trundlex-page.d.ts beside it, which names the
// same version as apiVersion(); a change that breaks a caller raises the version.
//
// A game runs synchronously in advance() and runUntil(): a computer's thinking takes up to a
// second there, so a page runs the module in a Web Worker and hands the events to its view.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "control/ForceMeter.h"
#include "web/DailyDraw.h"
#include "web/LocalMatch.h"
#include "web/OnlineMatch.h"
#include "web/PageJson.h"

namespace trundlex::web {

namespace {

constexpr int kApiVersion = 4;

int apiVersion() {
    return kApiVersion;
}

// Strengths as the page names them: 1 easy, 2 medium, 3 hard.
template <typename Game>
bool addComputer(Game& match, const std::string& name, int strength) {
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

template <typename Game>
bool addPerson(Game& match, const std::string& name) {
    return match.addPerson(name);
}

template <typename Game>
bool setPars(Game& match, const std::string& table) {
    return match.setPars(table);
}

bool createRoom(OnlineMatch& match, const std::string& course) {
    return match.createRoom(course);
}

bool joinRoom(OnlineMatch& match, const std::string& code) {
    return match.joinRoom(code);
}

bool rejoinRoom(OnlineMatch& match, const std::string& code, const std::string& token) {
    return match.rejoinRoom(code, token);
}

void received(OnlineMatch& match, const std::string& bytes) {
    match.received(bytes);
}

// The protocol's bytes as they are: a string would be read as UTF-8.
emscripten::val takeOutgoing(OnlineMatch& match) {
    const std::string bytes = match.takeOutgoing();
    return emscripten::val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const unsigned char*>(bytes.data())));
}

bool removePlayer(OnlineMatch& match, const std::string& name) {
    return match.removePlayer(name);
}

std::string sendChat(OnlineMatch& match, const std::string& text) {
    return match.sendChat(text);
}

bool addDailyLevel(DailyDraw& draw, const std::string& levFile) {
    return draw.addLevel(levFile);
}

bool setDailyPars(DailyDraw& draw, const std::string& table) {
    return draw.setPars(table);
}

std::string dailyCourseJson(DailyDraw& draw, const std::string& date) {
    return draw.courseJson(date);
}

std::string utcDate(double unixMs) {
    return DailyDraw::utcDate(unixMs);
}

std::string levelFileToJson(const std::string& levFile) {
    return levelFileJson(levFile);
}

std::string courseFileToJson(const std::string& couFile) {
    return courseFileJson(couFile);
}

// The event lines, joined by "\n" (none: "").
std::string takeEvents(PlayedMatch& match) {
    std::string joined;
    for (const std::string& line : match.takeEvents()) {
        joined += joined.empty() ? line : "\n" + line;
    }
    return joined;
}

double gameTime(const PlayedMatch& match) {
    return static_cast<double>(match.time());
}

// The page's clock is a double of milliseconds; a clock gone wrong (NaN, negative) moves
// nothing.
bool runUntil(PlayedMatch& match, double ms) {
    const double until = ms >= 0.0 && ms < 9.0e15 ? ms : 0.0;
    return match.runUntil(static_cast<std::int64_t>(until));
}

int state(const PlayedMatch& match) {
    return match.state();
}

double maxForce(const PlayedMatch&) {
    return forcemeter::MaxForce;
}

double minimumForce(const PlayedMatch&) {
    return forcemeter::MinimumPutt;
}

}  // namespace

EMSCRIPTEN_BINDINGS(trundlex_page) {
    emscripten::function("apiVersion", &apiVersion);
    emscripten::function("levelJson", &levelFileToJson);
    emscripten::function("courseJson", &courseFileToJson);
    emscripten::function("utcDate", &utcDate);
    emscripten::class_<DailyDraw>("DailyDraw")
        .constructor<>()
        .function("addLevel", &addDailyLevel)
        .function("setPars", &setDailyPars)
        .function("courseJson", &dailyCourseJson);
    // What both kinds of game do while they run; the page sees it on each of them.
    emscripten::class_<PlayedMatch>("PlayedGame")
        .function("runUntil", &runUntil)
        .function("isOver", &PlayedMatch::isOver)
        .function("state", &state)
        .function("aimAt", &PlayedMatch::aimAt)
        .function("beginCharge", &PlayedMatch::beginCharge)
        .function("releaseCharge", &PlayedMatch::releaseCharge)
        .function("cancelCharge", &PlayedMatch::cancelCharge)
        .function("puttWithForce", &PlayedMatch::puttWithForce)
        .function("maxForce", &maxForce)
        .function("minimumForce", &minimumForce)
        .function("hurry", &PlayedMatch::hurry)
        .function("levelJson", &PlayedMatch::levelJson)
        .function("boardJson", &PlayedMatch::boardJson)
        .function("takeEvents", &takeEvents)
        .function("result", &PlayedMatch::result)
        .function("time", &gameTime);
    emscripten::class_<LocalMatch, emscripten::base<PlayedMatch>>("LocalGame")
        .constructor<std::uint32_t>()
        .function("addLevel", &addLevel)
        .function("addComputer", &addComputer<LocalMatch>)
        .function("addPerson", &addPerson<LocalMatch>)
        .function("setPars", &setPars<LocalMatch>)
        .function("start", &LocalMatch::start)
        .function("advance", &LocalMatch::advance);
    emscripten::class_<OnlineMatch, emscripten::base<PlayedMatch>>("OnlineGame")
        .constructor<std::uint32_t>()
        .function("addPerson", &addPerson<OnlineMatch>)
        .function("setPars", &setPars<OnlineMatch>)
        .function("createRoom", &createRoom)
        .function("joinRoom", &joinRoom)
        .function("rejoinRoom", &rejoinRoom)
        .function("opened", &OnlineMatch::opened)
        .function("received", &received)
        .function("closed", &OnlineMatch::closed)
        .function("takeOutgoing", &takeOutgoing)
        .function("wantsClose", &OnlineMatch::wantsClose)
        .function("lobbyJson", &OnlineMatch::lobbyJson)
        .function("startGame", &OnlineMatch::startGame)
        .function("addComputer", &addComputer<OnlineMatch>)
        .function("removePlayer", &removePlayer)
        .function("sendChat", &sendChat)
        .function("leave", &OnlineMatch::leave);
}

}  // namespace trundlex::web
