#pragma once

#include <QElapsedTimer>
#include <QTest>

#include "GameView.h"
#include "MatchResultsDialog.h"
#include "game/control/ControllerFixture.h"

namespace trundlex::testing {

// A game view that records what it would ask the user instead of opening message boxes.
class TestGameView : public GameView {
public:
    using GameView::GameView;

    QStringList messages;
    QStringList questions;
    bool answer = true;
    std::vector<std::string> highScoreDialogs;
    // The rows of every results screen shown, and what the player does there (nothing: Close).
    std::vector<QStringList> results;
    QString resultsWarning;
    QString resultsHighScoreNote;
    QString resultsDayBest;
    bool playAgainOffered = false;
    QPointer<MatchResultsDialog> openResults;
    std::function<void(MatchResultsDialog&)> onResults;

protected:
    void inform(const QString& text) override { messages << text; }
    bool confirm(const QString& question) override {
        questions << question;
        return answer;
    }
    void showHighScores(const std::string& courseId) override {
        highScoreDialogs.push_back(courseId);
    }
    void showResults(MatchResultsDialog& dialog) override {
        results.push_back(dialog.rows());
        resultsWarning = dialog.warning();
        resultsHighScoreNote = dialog.highScoreNote();
        resultsDayBest = dialog.dayBestNote();
        playAgainOffered = dialog.playAgainButton() != nullptr;
        openResults = &dialog;
        if (onResults) {
            onResults(dialog);
        }
    }
};

// Everything the game's windows share, in memory.
class GameShellTest : public ::testing::Test, protected InMemoryGame {
protected:
    // Runs the event loop until `done` holds; false when the time ran out. Never sleeps: a
    // rolling ball's worker waits for every tick to be handled.
    static bool spinUntil(const std::function<bool()>& done, int milliseconds = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > milliseconds) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
    // Shows `view` with the speed locked at the quickest, so balls stop at once.
    static void showQuick(GameView& view, int width = 700) {
        view.resize(width, 520);
        view.show();
        view.action(GameCommand::LockSpeed)->trigger();
        view.setSpeedMode(Fastest);
    }
};

}  // namespace trundlex::testing
