#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>

#include "control/GameContext.h"
#include "GameView.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"
#include "support/AsciiLevel.h"
#include "util/RandomSource.h"

namespace trundlex::testing {

// A game view that records what it would ask the user instead of opening message boxes.
class TestGameView : public GameView {
public:
    using GameView::GameView;

    QStringList messages;
    std::vector<std::string> highScoreDialogs;

protected:
    void inform(const QString& text) override { messages << text; }
    bool confirm(const QString&) override { return true; }
    void showHighScores(const std::string& courseId) override {
        highScoreDialogs.push_back(courseId);
    }
};

// Everything the game's windows share, in memory.
class GameShellTest : public ::testing::Test {
protected:
    GameShellTest()
        : levels_(""), courses_(""), settings_(store_),
          context_{levels_, courses_, highScores_, {}, settings_, random_, nullptr, "", 0} {
        settings_.setSound(false);
    }

    // Adds a level to the library under `id`, with the start at (x, y).
    void addLevel(const std::string& id, const std::vector<std::string_view>& rows, double x,
                  double y) {
        Level level = asciiLevel(rows);
        level.setId(id);
        level.setName(id);
        level.setStart(x, y);
        levels_.add(level);
    }

    // Runs the event loop until `done` holds; false when the time ran out.
    static bool spinUntil(const std::function<bool()>& done, int milliseconds = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > milliseconds) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }

    LevelLibrary levels_;
    CourseLibrary courses_;
    HighScoreStore highScores_;
    MemorySettingsStore store_;
    GameSettings settings_;
    SeededRandom random_{1234};
    GameContext context_;
};

}  // namespace trundlex::testing
