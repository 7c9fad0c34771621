// The game view's commands: menus, tool bar and keys, and what they open.
#include "GameView.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>

#include "HighScoreDialog.h"
#include "NewGameWizard.h"
#include "ScoreBoard.h"
#include "library/CourseLibrary.h"
#include "library/DailyCourse.h"
#include "library/HighScoreStore.h"
#include "platform/PlatformSupport.h"
#include "platform/SpeedModeTexts.h"
#include "settings/GameSettings.h"

namespace trundlex {

// --- Commands ---

void GameView::createActions() {
    auto add = [this](GameCommand id, const QString& text, const QKeySequence& key,
                      auto handler) {
        auto* action = new QAction(text, this);
        if (!key.isEmpty()) {
            action->setShortcut(key);
        }
        connect(action, &QAction::triggered, this, handler);
        actions_[static_cast<int>(id)] = action;
        return action;
    };
    add(GameCommand::NewGame, tr("&New game..."), QKeySequence(Qt::Key_F2), [this] { newGame(); });
    add(GameCommand::Restart, tr("Res&tart from hole 1"), {}, [this] { restart(true); });
    add(GameCommand::Disconnect, tr("&Disconnect"), {}, [this] {
        if (confirm(tr("Do you really want to disconnect?"))) {
            controller_->disconnect();
        }
    });
    add(GameCommand::Rejoin, tr("Re&join room"), {}, [this] { rejoinRoom(); });
    add(GameCommand::Copy, tr("&Copy scores"), QKeySequence(Qt::CTRL | Qt::Key_C),
        [this] { copyScores(); });
    add(GameCommand::HighScore, tr("&High scores..."), QKeySequence(Qt::Key_F7),
        [this] { showHighScores({}); });
    add(GameCommand::Replay, tr("&Replay..."), QKeySequence(Qt::Key_F5), [this] {
        controller_->stopHighlight();
        showReplays();
    });
    add(GameCommand::Levels, tr("&Levels..."), QKeySequence(Qt::Key_F6), [this] { showLevels(); });
    add(GameCommand::Help, tr("&Manual"), QKeySequence(Qt::Key_F1), [this] { showHelp(); });
    add(GameCommand::Sound, tr("&Sound"), QKeySequence(Qt::Key_F3), [this] { toggleSound(); })
        ->setCheckable(true);
    add(GameCommand::Ghost, tr("&Ghost of your best round"), QKeySequence(Qt::CTRL | Qt::Key_G),
        [this](bool on) {
            controller_->setGhostOn(on);
            updateActions();
        })
        ->setCheckable(true);
    add(GameCommand::LockSpeed, tr("&Lock speed"), QKeySequence(Qt::CTRL | Qt::Key_L), [this] {
        setSpeedLocked(!isSpeedLocked());
        updateActions();
    })->setCheckable(true);
    add(GameCommand::DecreaseSpeed, tr("&Decrease speed"), QKeySequence(Qt::Key_F11), [this] {
        // Down from the slowest wraps to the fastest steady speed.
        const int mode = lockedSpeedMode();
        setSpeedMode(mode == Pause ? Quadruple : static_cast<SpeedMode>(((mode + 2) % 9) - 3));
    });
    add(GameCommand::IncreaseSpeed, tr("&Increase speed"), QKeySequence(Qt::Key_F12),
        [this] { setSpeedMode(static_cast<SpeedMode>(((lockedSpeedMode() + 3) % 8) - 2)); });
    // Both change only the rolling ball: the menu keeps the chosen speed for the next putt.
    // Esc also calls off a putt while the force builds up.
    add(GameCommand::NextPosition, tr("Show the &next resting place"),
        QKeySequence(Qt::Key_Escape), [this] {
            if (controller_->state() == Charging) {
                controller_->cancelCharge();
                return;
            }
            if (currentBall() != nullptr && currentBall()->IsRunning()) {
                currentBall()->SetSpeedMode(NextPosition);
                controller_->hurry();
            }
        });
    add(GameCommand::FastForward, tr("&Fast forward"), QKeySequence(Qt::Key_Space), [this] {
        if (currentBall() != nullptr && currentBall()->IsRunning()) {
            currentBall()->SetSpeedMode(Fastest);
            controller_->hurry();
        }
    });

    playFor_ = new QMenu(tr("&Play for"), this);
    connect(playFor_, &QMenu::aboutToShow, this, [this] {
        playFor_->clear();
        auto lock = controller_->net().lock();
        for (const int index : controller_->handedOverPlayers()) {
            const QString name = toDisplayText(match().GetPlayer(index)->GetName());
            playFor_->addAction(name, this, [this, index] { controller_->playFor(index); });
        }
    });

    auto* group = new QActionGroup(this);
    for (SpeedMode mode : AllSpeedModes) {
        auto* speed = new QAction(speedModeDescription(mode), group);
        speed->setCheckable(true);
        speed->setShortcut(speedModeShortcut(mode));
        connect(speed, &QAction::triggered, this, [this, mode] { setSpeedMode(mode); });
        actions_[static_cast<int>(GameCommand::SpeedFirst) + mode - Pause] = speed;
    }
    for (auto& [id, a] : actions_) {
        // The view fills the main window: its shortcuts work wherever the focus is.
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
}

QAction* GameView::action(GameCommand command) const {
    const auto it = actions_.find(static_cast<int>(command));
    return it == actions_.end() ? nullptr : it->second;
}

QAction* GameView::speedAction(SpeedMode mode) const {
    const auto it = actions_.find(static_cast<int>(GameCommand::SpeedFirst) + mode - Pause);
    return it == actions_.end() ? nullptr : it->second;
}

void GameView::updateActions() {
    const bool rolling = currentBall() != nullptr && currentBall()->IsRunning();
    const Match& match = controller_->match();
    const bool connected = controller_->networked();
    const bool hasGame = controller_->hasGame();
    action(GameCommand::Restart)->setEnabled(hasGame &&
                                             (!connected || controller_->net().isServer()));
    action(GameCommand::Disconnect)->setEnabled(connected);
    const auto seat = connected ? std::nullopt : freshSeat();
    action(GameCommand::Rejoin)->setEnabled(seat.has_value());
    action(GameCommand::Rejoin)->setText(seat ? tr("Re&join room %1").arg(toDisplayText(seat->code))
                                              : tr("Re&join room"));
    action(GameCommand::Copy)->setEnabled(hasGame);
    // A network match is replayed only once it is over, so no peer waits for this computer.
    action(GameCommand::Replay)->setEnabled(hasGame && (!connected || match.IsOver()));
    action(GameCommand::Levels)->setEnabled(match.LevelCount() > 0);
    playFor_->setEnabled(!controller_->handedOverPlayers().empty());
    action(GameCommand::NextPosition)->setEnabled(rolling || controller_->state() == Charging);
    action(GameCommand::FastForward)->setEnabled(rolling);
    action(GameCommand::Sound)->setChecked(context_.settings.sound());
    // Of a course with a kept round, whether this game shows it; else what games of one
    // player will do.
    action(GameCommand::Ghost)->setChecked(controller_->hasGhost() ? controller_->ghostOn()
                                                                   : context_.settings.ghost());
    action(GameCommand::LockSpeed)->setChecked(isSpeedLocked());
    if (QAction* speed = speedAction(lockedSpeedMode())) {
        speed->setChecked(true);
    }
    updateStartScreen();
}

void GameView::setSpeedMode(SpeedMode mode) {
    setLockedSpeedMode(mode);
    if (currentBall() != nullptr) {
        currentBall()->SetSpeedMode(mode);
        if (currentBall()->IsRunning() && (mode == Fastest || mode == NextPosition)) {
            controller_->hurry();
        }
    }
    updateActions();
}

void GameView::toggleSound() {
    controller_->setSound(!context_.settings.sound());
}

void GameView::copyScores() {
    QApplication::clipboard()->setText(scoreBoard_->copyText());
}

void GameView::inform(const QString& text) {
    QMessageBox::information(this, QStringLiteral("Trundlex"), text);
}

bool GameView::confirm(const QString& question) {
    return QMessageBox::question(this, QStringLiteral("Trundlex"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void GameView::showHighScores(const std::string& courseId) {
    // No file holds the days' courses: each day's list is named after its date here.
    CourseLibrary named = context_.courses;
    for (int i = 0; i < context_.highScores.courseCount(); ++i) {
        const std::string& id = context_.highScores.courseIdAt(i);
        const std::optional<std::int64_t> day = DailyCourse::dayOfCourseId(id);
        if (day && named.findById(id) < 0) {
            // Days since 1970-01-01, which is Julian day 2440588.
            const QDate date = QDate::fromJulianDay(*day + 2440588);
            const QByteArray text =
                tr("Course of the day, %1")
                    .arg(QLocale().toString(date, QStringLiteral("d MMMM yyyy")))
                    .toUtf8();
            Course course;
            course.setName(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
            course.setId(id);
            named.add(course);
        }
    }
    HighScoreDialog dialog(context_.highScores, named, courseId, this);
    dialog.exec();
}

bool GameView::runNewGameWizard(Match& setup) {
    NewGameWizard wizard(wizardStart(), context_, this);
    if (wizard.exec() != QDialog::Accepted) {
        return false;
    }
    if (!mayAbandonGame()) {
        return false;
    }
    setup = wizard.setup();
    return true;
}

bool GameView::mayAbandonGame() {
    return !controller_->restartInterrupts() ||
           confirm(tr("A game is in progress. Do you want to abandon it?"));
}

}  // namespace trundlex
