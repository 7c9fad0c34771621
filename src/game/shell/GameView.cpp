#include "GameView.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "ChatBox.h"
#include "GhostBall.h"
#include "MatchResultsDialog.h"
#include "ReplayBar.h"
#include "ScoreBoard.h"
#include "StandingsPanel.h"
#include "control/ForceMeter.h"
#include "library/DailyCourse.h"
#include "library/HighScoreStore.h"
#include "play/LevelTryout.h"
#include "platform/PlatformSupport.h"
#include "platform/SaveErrorText.h"
#include "render/BallRenderer.h"
#include "settings/GameSettings.h"
#include "util/PixelMath.h"

namespace trundlex {

namespace {

const double kPi = std::acos(-1.0);

}  // namespace

GameView::GameView(GameContext& context, QWidget* parent)
    : PlayfieldWnd(parent), context_(context) {
    scoreBoard_ = new ScoreBoard(this);
    scoreBoard_->hide();
    ghost_ = new GhostBall(*this, [this] {
        return currentBall() != nullptr ? currentBall()->GetSpeedMode() : Normal;
    });
    connect(ghost_, &GhostBall::moved, this, qOverload<const QRect&>(&QWidget::update));
    controller_ = std::make_unique<GameController>(
        context, level(), GameController::Platform{clock_, relay_, netHandoff_, pumpGuiEvents},
        static_cast<GameListener&>(*this));
    // The controller hears every network event first, the chat box second.
    chatBox_ = new ChatBox(controller_->net(), this);
    chatBox_->setGeometry(505, 10, 310, 105);
    chatBox_->hide();
    layoutHeader();
    startScreen_ = new StartScreen(this);
    startScreen_->setLookSource([this] { return look(); });
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    createActions();
    connectStartScreen();
    updateActions();
}

GameView::~GameView() {
    // The network's listeners go first, so a delivery in progress returns at once; then the
    // controller ends the network and waits for its threads. Only then may the chat box go.
    controller_->net().clearListeners();
    netHandoff_.release();
    chatBox_->detach();
    // Release any ball worker waiting for this window before the players' balls go.
    ballOwner().release();
    setBall(nullptr);
    controller_.reset();
    delete chatBox_;
    chatBox_ = nullptr;
}

// --- Starting and restarting ---

void GameView::newGame() {
    // The wizard starts from the levels and course of the game so far and its players of
    // this computer; the game changes only when the user confirms.
    Match setup;
    if (!runNewGameWizard(setup)) {
        return;
    }
    rememberSetup(setup, context_.networkMode);
    if (context_.networkMode != 0) {
        startNetworkGame(setup, context_.networkMode);
        return;
    }
    controller_->startMatch(setup);
}

bool GameView::playLevelFile(const QString& path) {
    Match setup;
    const LevelLoadResult read =
        setUpLevelTryout(QFile::encodeName(path).toStdString(), tr("Player").toUtf8().toStdString(),
                         context_.levels, setup);
    if (read != LevelLoadResult::Loaded) {
        inform(tr("%1 could not be played: it cannot be read as a Trundlex level file.")
                   .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    controller_->startMatch(setup);
    return true;
}

bool GameView::startNetworkGame(const Match& setup, int mode) {
    controller_->prepareNetworkGame(setup, mode);
    const bool started = runLobby(mode);
    controller_->lobbyEnded(started);
    if (started && mode == 3) {
        keepSeat();
    }
    return started;
}

void GameView::restart(bool ask) {
    if (!controller_->hasGame()) {
        return;
    }
    if (ask && controller_->restartInterrupts() &&
        !confirm(tr("Start this game again from hole 1? The strokes so far are lost."))) {
        return;
    }
    controller_->restart();
}

// --- What the controller shows ---

void GameView::rollBall(Ball&, double heading, double speed) {
    // The controller rolls only the ball it has shown, which is the playfield's current one.
    shownAim_.reset();
    PlayfieldWnd::putt(heading, speed);
    updateActions();
}

void GameView::onBallStopped(bool inCup) {
    // The ball's worker waits until this returns: let it go at once and go on from the
    // event loop, where message boxes and the next putt are safe.
    QMetaObject::invokeMethod(
        this,
        [this, inCup] {
            Ball* ball = currentBall();
            if (ball == nullptr) {
                return;
            }
            if (ball->GetSpeedMode() == NextPosition) {
                refresh(true);
            }
            if (!isSpeedLocked()) {
                setSpeedMode(Normal);
            }
            const bool replayed = controller_->state() == ReplayRolling;
            controller_->ballStopped(inCup);
            if (replayed && replayBar_ != nullptr) {
                replayBar_->puttStopped();
            }
        },
        Qt::QueuedConnection);
}

void GameView::holeStarted(int hole, int holeCount, const std::string& levelName) {
    holeStatus_ = tr("Hole %1 of %2: %3")
                      .arg(hole + 1)
                      .arg(holeCount)
                      .arg(toDisplayText(levelName));
    emit status(holeStatus_);
}

void GameView::scoreBoardFilled(const Match& match) {
    // A match starts (again): the results of the last one are over.
    closeResults();
    hideStandings();
    if (replayBar_ != nullptr) {
        closeReplays();
    }
    scoreBoard_->fill(match);
    ghostIntroduced_ = false;
    layoutHeader();
    updateStartScreen();
}
void GameView::scoresChanged(const Match& match) {
    const QSize before = scoreBoard_->tableSize();
    scoreBoard_->updateScores(match);
    // A name marked or unmarked as the computer's may have changed the board's width.
    if (scoreBoard_->tableSize() != before) {
        layoutHeader();
    }
}
void GameView::playerHighlighted(int index) { scoreBoard_->highlightPlayer(index); }
void GameView::parFound(int hole, int par) { scoreBoard_->setPar(hole, par); }

void GameView::scoreBoardCleared() {
    hideStandings();
    scoreBoard_->clearBoard();
    scoreBoard_->hide();
    layoutHeader();
}

void GameView::computerThinking(const std::string& name) {
    emit status(tr("%1 is thinking...").arg(toDisplayText(name)));
}

void GameView::replayShown(const std::string& name, int hole, int stroke) {
    emit status(tr("Replay: %1, hole %2, stroke %3")
                    .arg(toDisplayText(name))
                    .arg(hole + 1)
                    .arg(stroke));
}

void GameView::ghostShown(const GhostShot* shot) {
    ghost_->show(shot);
    const GhostRound* round = controller_->ghostRound();
    if (shot != nullptr && round != nullptr && !ghostIntroduced_) {
        // Once a match, so that a pale ball nobody putted is not a riddle; with the hole's
        // status, so that the turn's own status does not push it out at once.
        ghostIntroduced_ = true;
        holeStatus_ += QStringLiteral("  –  ") +
                       tr("The faint ball putts your best round here: %1, %n stroke(s).", nullptr,
                          round->score)
                           .arg(toDisplayText(round->player));
        emit status(holeStatus_);
    }
}

void GameView::ghostPutts() { ghost_->putt(); }

QString GameView::highScoresNotSavedText(const std::string& path, const std::string& reason) {
    return tr("The high scores could not be saved to %1 (%2).")
        .arg(toDisplayText(path), saveErrorText(reason));
}

void GameView::highScoresNotSaved(const std::string& path, const std::string& reason) {
    unsavedScores_ = highScoresNotSavedText(path, reason) + QLatin1Char(' ') +
                     tr("They are kept and saved again after the next game or when the game "
                        "closes.");
    emit status(unsavedScores_);
}

void GameView::matchEnded(const std::string& winners, const std::string& highScoreCourse) {
    const QString names = toDisplayText(winners);
    closeResults();
    // Nobody has the turn any more.
    scoreBoard_->highlightPlayer(-1);
    updateActions();
    MatchResultsDialog::Options options;
    // A room's game that ended, or whose host stopped, has no seat to go back to; one whose
    // connection was lost keeps it.
    if (controller_->connectionLost()) {
        markSeatLeft();
    } else if (controller_->networked() || !controller_->match().IsOver()) {
        forgetSeat();
    }
    options.rejoin = controller_->connectionLost() && freshSeat().has_value();
    // Wherever this computer may restart the match, it may also play it again from here.
    // (A game that ended early with its network is not played again alone.)
    options.playAgain = action(GameCommand::Restart)->isEnabled() && controller_->match().IsOver();
    if (!highScoreCourse.empty()) {
        options.showHighScores = [this, highScoreCourse] { showHighScores(highScoreCourse); };
    }
    options.newHighScore = !highScoreCourse.empty();
    const std::string& course = controller_->match().GetName();
    if (DailyCourse::dayOfCourseId(course) && context_.highScores.entryCount(course) > 0) {
        const HighScoreEntry best = context_.highScores.entryAt(course, 0);
        options.dayBest = std::make_pair(toDisplayText(best.name), static_cast<int>(best.score));
    }
    highScoreCourse_ = highScoreCourse;
    options.warning = unsavedScores_;
    unsavedScores_.clear();
    options.look = look();
    results_ = new MatchResultsDialog(controller_->match(), controller_->pars(),
                                      std::move(options), window());
    results_->setAttribute(Qt::WA_DeleteOnClose);
    connect(results_, &QDialog::finished, this, [this, dialog = results_.data()] {
        // Closed by the player, not by a new match: the standings stay on the table.
        const bool byPlayer = results_ == dialog;
        if (byPlayer) {
            results_ = nullptr;
        }
        // Never from inside a call of the controller, which may still be ending the match.
        if (dialog->choice() == MatchResultsDialog::Choice::PlayAgain) {
            afterEvents([this] { restart(false); });
            return;
        }
        if (dialog->choice() == MatchResultsDialog::Choice::Rejoin) {
            afterEvents([this] { rejoinRoom(); });
            return;
        }
        if (byPlayer) {
            showStandings();
        }
        if (dialog->choice() == MatchResultsDialog::Choice::NewGame) {
            // A wizard cancelled leaves the standings where they were.
            afterEvents([this] { newGame(); });
        }
    });
    // Shown without waiting: the winner's putts replay behind it, and a network game goes on
    // (another computer may start the match again, which closes it).
    showResults(*results_);
    emit matchOver(names);
}

void GameView::afterEvents(std::function<void()> work) {
    QTimer::singleShot(1, this, std::move(work));
}

void GameView::closeResults() {
    if (results_) {
        MatchResultsDialog* dialog = results_;
        results_ = nullptr;
        dialog->close();
    }
}

void GameView::showStandings() {
    const Match& match = controller_->match();
    if (!controller_->hasGame() || match.PlayerCount() == 0) {
        return;
    }
    standingsWanted_ = true;
    // The table shows how the match ended instead of the winner's putts over and over.
    controller_->stopHighlight();
    controller_->stopReplay();
    if (replayBar_ != nullptr) {
        // The replay has the playfield; the standings come back when it closes.
        return;
    }
    if (standings_ == nullptr) {
        standings_ = new StandingsPanel(this);
        connect(standings_, &StandingsPanel::playAgain, this, [this] {
            afterEvents([this] { restart(false); });
        });
        connect(standings_, &StandingsPanel::newGame, this, [this] {
            afterEvents([this] { newGame(); });
        });
        connect(standings_, &StandingsPanel::highScores, this,
                [this] { showHighScores(highScoreCourse_); });
    }
    layoutHeader();
    // The last replay's line has no more to say.
    emit status(MatchResultsDialog::headlineFor(match));
    standings_->showStandings(match, controller_->pars(),
                              action(GameCommand::Restart)->isEnabled() && match.IsOver(),
                              !highScoreCourse_.empty());
}

void GameView::hideStandings() {
    standingsWanted_ = false;
    if (standings_ != nullptr) {
        standings_->hide();
    }
}

void GameView::levelMissing() {
    inform(tr("A level of this game could not be found. The game ends here."));
}

void GameView::networkGameStarted(const std::vector<std::string>& localNames) {
    QStringList names;
    for (const std::string& name : localNames) {
        names << toDisplayText(name);
    }
    chatBox_->setName(names.join(QStringLiteral(", ")));
    chatBox_->show();
    layoutHeader();
}

// --- Mouse putting ---

void GameView::mouseMoveEvent(QMouseEvent* event) {
    const Ball* ball = currentBall();
    if (ball == nullptr) {
        return;
    }
    const QPointF p = pixelToLevel(event->position().x(), event->position().y());
    // The ball goes away from the pointer.
    controller_->aimAt(std::atan2(p.y() - ball->GetY(), p.x() - ball->GetX()) + kPi);
}

void GameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        controller_->beginCharge();
    } else if (event->button() == Qt::RightButton) {
        // A putt begun by mistake is called off; the left button may still be held, and
        // its release then putts nothing.
        controller_->cancelCharge();
    }
}

void GameView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        controller_->releaseCharge();
    }
}

}  // namespace trundlex
