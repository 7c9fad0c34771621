#include "LocalMatch.h"

#include <sstream>

#include "MatchLoop.h"
#include "MatchRecorder.h"
#include "PageJson.h"
#include "control/GameController.h"
#include "level/Level.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"
#include "solver/Par.h"
#include "solver/ShippedPars.h"
#include "util/RandomSource.h"

namespace trundlex::web {

namespace {

// The players' colours, in the order they join.
constexpr std::uint32_t kColours[LocalMatch::MaxPlayers] = {
    0x00E6E6E6, 0x000000FF, 0x0000C800, 0x00FF0000, 0x0000FFFF, 0x00FF00FF, 0x00FFFF00, 0x00808080};

}  // namespace

// Everything a game controller needs, in memory: no files and no high scores saved; the
// sounds go to the page as event lines.
struct LocalMatch::Game {
    // Sounds are on: the page plays them from the event lines.
    explicit Game(std::uint32_t seed) : random(seed) { settings.setSound(true); }

    LevelLibrary levels{""};
    CourseLibrary courses{""};
    HighScoreStore highScores;
    MemorySettingsStore store;
    GameSettings settings{store};
    SeededRandom random;
    MatchLoop loop;
    Level level;
    MatchRecorder recorder{loop};
    std::unique_ptr<ParCache> pars;
    GameContext context{levels, courses, highScores, {}, settings, random, &recorder, "", 0};
    Match setup;
    bool started = false;

    // Runs at most `steps` steps of the loop, none due after `until`, stopping at the end of
    // the match; false when the loop went idle before.
    bool run(int steps, std::int64_t until);
    // Last: taken apart first, while everything it uses is still there.
    std::unique_ptr<GameController> controller;
};

LocalMatch::LocalMatch(std::uint32_t seed) : game_(std::make_unique<Game>(seed)) {}

LocalMatch::~LocalMatch() {
    game_->controller.reset();
}

bool LocalMatch::addLevel(std::string_view levFile) {
    Level level;
    if (game_->started || !levelFromBytes(levFile, level)) {
        return false;
    }
    if (game_->levels.findById(level.id()) < 0) {
        game_->levels.add(level);
    }
    game_->setup.AddLevel(level.id());
    return true;
}

bool LocalMatch::addComputer(std::string_view name, ComputerStrength strength) {
    const std::int32_t count = game_->setup.PlayerCount();
    if (game_->started || name.empty() || strength == ComputerStrength::Person ||
        count >= MaxPlayers) {
        return false;
    }
    game_->setup.AddPlayer(name, kColours[count], 0, false, Player::LocalConnection)
        .SetComputer(strength);
    return true;
}

bool LocalMatch::addPerson(std::string_view name) {
    const std::int32_t count = game_->setup.PlayerCount();
    if (game_->started || name.empty() || count >= MaxPlayers) {
        return false;
    }
    game_->setup.AddPlayer(name, kColours[count], 0, false, Player::LocalConnection);
    return true;
}

bool LocalMatch::setPars(std::string_view table) {
    ShippedPars shipped;
    if (game_->started || !shipped.parse(table)) {
        return false;
    }
    // In memory only: a page has no file to keep pars it worked out.
    game_->pars = std::make_unique<ParCache>("", std::move(shipped));
    game_->context.pars = game_->pars.get();
    return true;
}

bool LocalMatch::start() {
    Game& g = *game_;
    if (g.started || g.setup.PlayerCount() == 0 || g.setup.LevelCount() == 0) {
        return false;
    }
    g.started = true;
    g.controller = std::make_unique<GameController>(
        g.context, g.level, GameController::Platform{g.loop, g.loop, g.loop, {}}, g.recorder);
    g.recorder.attach(*g.controller);
    g.controller->startMatch(g.setup);
    return true;
}

bool LocalMatch::Game::run(int steps, std::int64_t until) {
    // Natively the computer thinks on a thread of its own; its putt is waited for, so that
    // time moves on exactly as in a build that thinks on the calling thread. (Once the putt
    // is there, the computer shows its aim for a while, on a timer, before it putts.)
    const auto thinking = [this] {
        return controller->state() == ComputerThinking && loop.pendingTimers() == 0;
    };
    for (int i = 0; i < steps && !recorder.ended(); ++i) {
        if (loop.step(thinking, until) == MatchLoop::Step::Idle) {
            return false;
        }
    }
    return true;
}

bool LocalMatch::advance(int steps) {
    return game_->started && game_->run(steps, MatchLoop::Forever) && !isOver();
}

bool LocalMatch::runUntil(std::int64_t until) {
    // Enough for any frame's worth of work; a game that posts tasks without end must not
    // hang the page. Going idle here only means waiting for the page's clock or a person.
    constexpr int kMaxStepsPerCall = 100000;
    if (!game_->started) {
        return false;
    }
    game_->run(kMaxStepsPerCall, until);
    return !isOver();
}

int LocalMatch::state() const {
    return game_->started ? static_cast<int>(game_->controller->state()) : NoGame;
}

void LocalMatch::aimAt(double heading) {
    if (game_->started) {
        game_->controller->aimAt(heading);
    }
}

void LocalMatch::beginCharge() {
    if (game_->started) {
        game_->controller->beginCharge();
    }
}

void LocalMatch::releaseCharge() {
    if (game_->started) {
        game_->controller->releaseCharge();
    }
}

void LocalMatch::cancelCharge() {
    if (game_->started) {
        game_->controller->cancelCharge();
    }
}

bool LocalMatch::puttWithForce(double heading, double force) {
    return game_->started && game_->controller->puttWithForce(heading, force);
}

void LocalMatch::hurry() {
    if (game_->started && game_->controller->state() == Rolling && game_->recorder.hurry()) {
        game_->controller->hurry();
    }
}

std::string LocalMatch::levelJson() const {
    return web::levelJson(game_->level);
}

std::string LocalMatch::boardJson() const {
    const Game& g = *game_;
    const Match& match = g.started ? g.controller->match() : g.setup;
    const std::vector<int> noPars;
    const std::vector<int>& pars = g.started ? g.controller->pars() : noPars;
    std::string out = "{\"hole\":" + std::to_string(g.started ? match.GetHole() : -1) +
                      ",\"holes\":[";
    for (std::int32_t hole = 0; hole < match.LevelCount(); ++hole) {
        const int index = g.levels.findById(match.GetLevelId(hole));
        const int par = hole < static_cast<int>(pars.size()) ? pars[hole] : 0;
        out += std::string(hole == 0 ? "" : ",") + "{\"name\":" +
               jsonString(index >= 0 ? g.levels.at(index).name() : std::string()) +
               ",\"par\":" + std::to_string(par) + "}";
    }
    out += "],\"players\":[";
    int turn = -1;
    const Player* current = g.started ? g.controller->currentPlayer() : nullptr;
    for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
        const Player& player = *match.GetPlayer(p);
        if (&player == current) {
            turn = p;
        }
        const char* kind = player.IsComputer() ? "computer" : player.IsLocalPlayer() ? "here"
                                                                                    : "remote";
        out += std::string(p == 0 ? "" : ",") + "{\"name\":" + jsonString(player.GetName()) +
               ",\"colour\":" + std::to_string(player.GetStyle().colour) +
               ",\"pattern\":" + std::to_string(player.GetStyle().pattern) + ",\"kind\":\"" +
               kind + "\",\"strokes\":[";
        for (std::int32_t hole = 0; hole < match.LevelCount(); ++hole) {
            out += (hole == 0 ? "" : ",") + std::to_string(player.StrokesOn(hole));
        }
        out += "],\"total\":" + std::to_string(player.TotalStrokes()) + "}";
    }
    out += "],\"turn\":" + std::to_string(turn) + "}";
    return out;
}

bool LocalMatch::isOver() const {
    return game_->started && game_->recorder.ended();
}

std::vector<std::string> LocalMatch::takeEvents() {
    return game_->recorder.takeEvents();
}

std::string LocalMatch::result() const {
    const Game& g = *game_;
    const Match& match = g.started ? g.controller->match() : g.setup;
    std::ostringstream out;
    for (std::int32_t hole = 0; hole < match.LevelCount(); ++hole) {
        const int index = g.levels.findById(match.GetLevelId(hole));
        out << "hole " << hole + 1 << " " << (index >= 0 ? g.levels.at(index).name() : "?") << ":";
        for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
            const Player& player = *match.GetPlayer(p);
            out << (p == 0 ? " " : ", ") << player.GetName() << " " << player.StrokesOn(hole);
        }
        out << "\n";
    }
    out << "total:";
    for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
        const Player& player = *match.GetPlayer(p);
        out << (p == 0 ? " " : ", ") << player.GetName() << " " << player.TotalStrokes();
    }
    out << "\nwinners: " << g.recorder.winners() << "\n";
    return out.str();
}

std::int64_t LocalMatch::time() const {
    return game_->loop.now();
}

}  // namespace trundlex::web
