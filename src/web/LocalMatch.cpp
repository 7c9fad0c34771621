#include "LocalMatch.h"

#include <sstream>

#include "MatchLoop.h"
#include "MatchRecorder.h"
#include "control/GameController.h"
#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"
#include "util/RandomSource.h"

namespace trundlex::web {

namespace {

// The players' colours, in the order they join.
constexpr std::uint32_t kColours[LocalMatch::MaxPlayers] = {
    0x00E6E6E6, 0x000000FF, 0x0000C800, 0x00FF0000, 0x0000FFFF, 0x00FF00FF, 0x00FFFF00, 0x00808080};

}  // namespace

// Everything a game controller needs, in memory: no files, no sound, no high scores saved.
struct LocalMatch::Game {
    explicit Game(std::uint32_t seed) : random(seed) { settings.setSound(false); }

    LevelLibrary levels{""};
    CourseLibrary courses{""};
    HighScoreStore highScores;
    MemorySettingsStore store;
    GameSettings settings{store};
    SeededRandom random;
    GameContext context{levels, courses, highScores, {}, settings, random, nullptr, "", 0};
    MatchLoop loop;
    Level level;
    MatchRecorder recorder{loop};
    Match setup;
    bool started = false;
    // Last: taken apart first, while everything it uses is still there.
    std::unique_ptr<GameController> controller;
};

LocalMatch::LocalMatch(std::uint32_t seed) : game_(std::make_unique<Game>(seed)) {}

LocalMatch::~LocalMatch() {
    game_->controller.reset();
}

bool LocalMatch::addLevel(std::string_view levFile) {
    if (game_->started || levFile.size() > MaxLevelFileBytes) {
        return false;
    }
    std::istringstream in{std::string(levFile)};
    ArchiveReader reader(in);
    std::string text;
    Level level;
    if (!reader.readString(text) || !level.fromText(text) || level.id().empty()) {
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

bool LocalMatch::advance(int steps) {
    Game& g = *game_;
    if (!g.started) {
        return false;
    }
    // Natively the computer thinks on a thread of its own; its putt is waited for, so that
    // time moves on exactly as in a build that thinks on the calling thread. (Once the putt
    // is there, the computer shows its aim for a while, on a timer, before it putts.)
    const auto thinking = [&g] {
        return g.controller->state() == ComputerThinking && g.loop.pendingTimers() == 0;
    };
    for (int i = 0; i < steps && !isOver(); ++i) {
        if (g.loop.step(thinking) == MatchLoop::Step::Idle) {
            return false;
        }
    }
    return !isOver();
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
