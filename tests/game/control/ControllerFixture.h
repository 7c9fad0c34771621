#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/GameController.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"
#include "support/AsciiLevel.h"
#include "support/ManualClock.h"
#include "support/TestLoop.h"
#include "util/RandomSource.h"

namespace trundlex::testing {

// A closed room with a cup two blocks right of the start at (3.5, 2.5): a putt to the right
// drops, and so does a harder one to the left, off the wall and back.
inline const std::vector<std::string_view> kRoom = {
    "########", "#......#", "#....O.#", "#......#", "########",
};

// Stands in for the game's window: rolls each ball at once and as fast as possible, and
// reports its stop through the test's loop, as a window reports it from its event loop.
class ScriptedView : public GameListener, private BallOwner {
public:
    explicit ScriptedView(TestLoop& loop) : loop_(loop) {}
    void attach(GameController& controller) { controller_ = &controller; }

    void rollBall(Ball& ball, double heading, double speed) override {
        ++rolls;
        ball.PuttNow(speed, heading, this, speed_);
        const bool inCup = lastCode_ == BallInCup;
        loop_.post([this, inCup] { controller_->ballStopped(inCup); });
    }
    void aimChanged(double, bool lines) override { aimsShown += lines ? 1 : 0; }
    void forceChanged(double, bool shown) override { meterShown = shown; }
    void holeStarted(int hole, int, const std::string&) override {
        statuses.push_back("hole " + std::to_string(hole + 1));
    }
    void computerThinking(const std::string& name) override {
        statuses.push_back(name + " thinks");
    }
    void computerDone() override { statuses.push_back("thinking done"); }
    void parFound(int hole, int par) override { pars.emplace_back(hole, par); }
    void turnShown(const TurnInfo& turn) override { turns.push_back(turn); }
    void bannerShown(const Banner& banner) override { banners.push_back(banner); }
    // Rolls at a player's pace instead of fast-forwarding (which skips the banners).
    void rollAtNormalSpeed() { speed_ = Normal; }
    void matchEnded(const std::string& winners, const std::string& course) override {
        endings.push_back(winners + " / " + course);
    }
    void highScoresNotSaved(const std::string& path, const std::string& reason) override {
        unsavedScores.emplace_back(path, reason);
    }
    void ghostShown(const GhostShot* shot) override {
        ghost = shot != nullptr ? std::optional<GhostShot>(*shot) : std::nullopt;
        ghostsShown.push_back(ghost);
    }
    void ghostPutts() override {
        ASSERT_TRUE(ghost.has_value()) << "only a ghost shown putts";
        ghostPutted.push_back(*ghost);
    }

    int rolls = 0;
    int aimsShown = 0;
    bool meterShown = false;
    std::vector<std::string> statuses;
    std::vector<std::pair<int, int>> pars;
    std::vector<std::string> endings;
    std::vector<std::pair<std::string, std::string>> unsavedScores;
    std::vector<TurnInfo> turns;
    std::vector<Banner> banners;
    // The ghost shown now, every change of it, and every shot it putted.
    std::optional<GhostShot> ghost;
    std::vector<std::optional<GhostShot>> ghostsShown;
    std::vector<GhostShot> ghostPutted;

private:
    void onBallNotification(std::int32_t, BallNotification code) override { lastCode_ = code; }

    TestLoop& loop_;
    GameController* controller_ = nullptr;
    BallNotification lastCode_ = BallStopped;
    SpeedMode speed_ = Fastest;
};

// The libraries, settings and random sequence a game uses, all in memory, without sound.
struct InMemoryGame {
    InMemoryGame() { settings_.setSound(false); }

    // Adds a level to the library under `id`, with the start at (x, y).
    void addLevel(const std::string& id, const std::vector<std::string_view>& rows, double x,
                  double y) {
        Level level = asciiLevel(rows);
        level.setId(id);
        level.setName(id);
        level.setStart(x, y);
        levels_.add(level);
    }

    LevelLibrary levels_{""};
    CourseLibrary courses_{""};
    HighScoreStore highScores_;
    MemorySettingsStore store_;
    GameSettings settings_{store_};
    SeededRandom random_{1234};
    GameContext context_{levels_, courses_, highScores_, {}, settings_, random_, nullptr, "", 0};
};

// A game controller with its libraries in memory, a manual clock and the test's loop.
class ControllerTest : public ::testing::Test, protected InMemoryGame {
protected:
    static Match setupOf(const std::vector<std::pair<const char*, ComputerStrength>>& players,
                         const std::vector<const char*>& levels, const std::string& course = {}) {
        Match setup;
        for (const auto& [name, strength] : players) {
            setup.AddPlayer(name, 0x00E6E6E6, 0, false, Player::LocalConnection)
                .SetComputer(strength);
        }
        for (const char* id : levels) {
            setup.AddLevel(id);
        }
        setup.SetName(course);
        return setup;
    }

    GameController& game() {
        if (!controller_) {
            controller_ = std::make_unique<GameController>(
                context_, level_, GameController::Platform{clock_, loop_, loop_, {}}, view_);
            view_.attach(*controller_);
        }
        return *controller_;
    }
    int strokes(int player, int hole) { return game().match().GetPlayer(player)->StrokesOn(hole); }

    // Lets the game go on (background work, stops, timers) until `done` holds.
    bool playUntil(const std::function<bool()>& done) {
        for (int step = 0; step < 200 && !done(); ++step) {
            if (!loop_.runUntil([&] { return done() || clock_.pendingTimers() > 0; })) {
                return false;
            }
            clock_.advance(1000);
        }
        return done();
    }

    Level level_;
    ManualClock clock_;
    TestLoop loop_;
    ScriptedView view_{loop_};
    std::unique_ptr<GameController> controller_;
};

}  // namespace trundlex::testing
