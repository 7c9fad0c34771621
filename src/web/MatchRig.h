#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "MatchLoop.h"
#include "MatchRecorder.h"
#include "control/GameController.h"
#include "level/Level.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "play/Match.h"
#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"
#include "solver/Par.h"
#include "util/RandomSource.h"

namespace trundlex::web {

// The players' colours, in the order they join.
inline constexpr std::uint32_t kPlayerColours[8] = {0x00E6E6E6, 0x000000FF, 0x0000C800,
                                                    0x00FF0000, 0x0000FFFF, 0x00FF00FF,
                                                    0x00FFFF00, 0x00808080};

// Everything a game controller needs, in memory, for a page's game: no files and no high
// scores saved; the sounds go to the page as event lines.
struct MatchRig {
    // Sounds are on: the page plays them from the event lines.
    explicit MatchRig(std::uint32_t seed) : random(seed) { settings.setSound(true); }

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
    // The players and holes set up before the controller takes them.
    Match setup;

    // Makes the controller; `carrier` carries a network game's connection (null: none).
    void makeController(NetCarrier* carrier = nullptr);
    bool hasController() const { return controller != nullptr; }
    // Takes the shipped levels' pars (the text of levels/pars.txt); false when it does not read.
    bool takePars(std::string_view table);
    // Runs at most `steps` steps of the loop, none due after `until`, stopping at the end of
    // the match; false when the loop went idle before.
    bool run(int steps, std::int64_t until);
    // The match shown: the controller's, or the setup before there is one.
    const Match& match() const { return controller ? controller->match() : setup; }

    // Last: taken apart first, while everything it uses is still there.
    std::unique_ptr<GameController> controller;
};

}  // namespace trundlex::web
