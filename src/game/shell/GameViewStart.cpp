// The ways into a game from the start screen, and what the next launch remembers of a setup.
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>

#include "FriendsDialog.h"
#include "GameView.h"
#include "OnlinePage.h"
#include "SetupMemory.h"
#include "StartScreen.h"
#include "library/Course.h"
#include "library/CourseLibrary.h"
#include "library/DailyCourse.h"
#include "net/InviteLink.h"
#include "play/BallColours.h"
#include "platform/PlatformSupport.h"
#include "solver/Par.h"

namespace trundlex {

namespace {

std::string utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The kept look of the person named `name`, so that a player keeps a ball from game to game.
const GameSettings::SetupPlayer* keptPlayer(const GameSettings::LastSetup& kept,
                                            const std::string& name) {
    for (const GameSettings::SetupPlayer& player : kept.players) {
        if (player.name == name &&
            player.strength == static_cast<std::int32_t>(ComputerStrength::Person)) {
            return &player;
        }
    }
    return nullptr;
}

// Adds the person `name` to `setup` with the ball kept for that name, or a free colour.
void addPerson(Match& setup, const std::string& name, const GameSettings::LastSetup& kept) {
    const GameSettings::SetupPlayer* known = keptPlayer(kept, name);
    setup.AddPlayer(name, known ? known->colour : freeBallColour(setup, ReadyMadeBallColours[0]),
                    known ? known->pattern : 0, known && known->transparent,
                    Player::LocalConnection);
}

}  // namespace

void GameView::connectStartScreen() {
    const auto choice = setupmemory::quickChoice(context_.settings.lastSetup());
    startScreen_->offer(toDisplayText(choice.name), choice.strength);
    connect(startScreen_, &StartScreen::playChosen, this, [this] {
        playAgainstComputer(startScreen_->playerName(), startScreen_->strength());
    });
    connect(startScreen_, &StartScreen::todayChosen, this, [this] {
        playTodaysCourse(startScreen_->playerName(), startScreen_->strength());
    });
    connect(startScreen_, &StartScreen::friendsChosen, this, &GameView::playWithFriends);
    connect(startScreen_, &StartScreen::localGameChosen, this, &GameView::setUpLocalGame);
    connect(startScreen_, &StartScreen::continueChosen, this, [this] { rejoinRoom(); });
    startScreen_->setGeometry(rect());
    startScreen_->focusFirst();
}

void GameView::updateStartScreen() {
    // Also behind a lobby, which is no game yet; a lobby left brings it back.
    const bool shown = !controller_->hasGame();
    const auto seat = shown && !controller_->networked() ? freshSeat() : std::nullopt;
    const bool offered = startScreen_->continueButton()->isVisibleTo(startScreen_);
    startScreen_->offerContinue(seat.has_value(), seat ? toDisplayText(seat->code) : QString());
    if (shown && offered != seat.has_value()) {
        startScreen_->focusFirst();
    }
    if (shown != startScreen_->isVisibleTo(this)) {
        startScreen_->setVisible(shown);
        if (shown) {
            startScreen_->raise();
            startScreen_->focusFirst();
        } else {
            setFocus();
        }
    }
}

Match GameView::wizardStart() const {
    const Match& current = controller_->match();
    if (current.PlayerCount() > 0 || current.LevelCount() > 0) {
        return current;
    }
    return setupmemory::restore(context_.settings.lastSetup(), context_.courses, context_.levels);
}

void GameView::rememberSetup(const Match& setup, int mode) {
    context_.settings.setLastSetup(setupmemory::of(setup, mode));
    // At once: a launch that ends by a crash or a power cut keeps it too.
    context_.settings.Save();
}

bool GameView::playAgainstComputer(const QString& name, ComputerStrength strength) {
    if (name.trimmed().isEmpty()) {
        startScreen_->nameField()->setFocus();
        emit status(tr("Type your name to play."));
        return false;
    }
    const GameSettings::LastSetup& kept = context_.settings.lastSetup();
    const int course = setupmemory::quickCourse(kept.course, context_.courses, context_.levels);
    if (course < 0) {
        inform(tr("No course can be played: the game's levels were not found."));
        return false;
    }
    return startAgainstComputer(name, strength, context_.courses.at(course), true);
}

bool GameView::playTodaysCourse(const QString& name, ComputerStrength strength) {
    if (name.trimmed().isEmpty()) {
        startScreen_->nameField()->setFocus();
        emit status(tr("Type your name to play."));
        return false;
    }
    // Drawn anew at every click: a game left open over midnight starts the new day's course.
    // Only the shipped pars count, so that everybody's draw is the same.
    const ShippedPars none;
    DailyCourse daily(DailyCourse::candidates(
        context_.levels, context_.pars != nullptr ? context_.pars->shipped() : none));
    const std::optional<Course> today =
        daily.course(DailyCourse::dayOf(QDateTime::currentSecsSinceEpoch()));
    if (!today) {
        inform(tr("Today's course cannot be drawn: none of the game's levels was found with its "
                  "par."));
        return false;
    }
    return startAgainstComputer(name, strength, *today, false);
}

bool GameView::startAgainstComputer(const QString& name, ComputerStrength strength,
                                    const Course& course, bool keepCourse) {
    if (!mayAbandonGame()) {
        return false;
    }
    if (strength == ComputerStrength::Person) {
        strength = ComputerStrength::Medium;
    }
    const GameSettings::LastSetup kept = context_.settings.lastSetup();
    Match setup;
    addPerson(setup, utf8(name.trimmed()), kept);
    const QString computerName = tr("Computer");
    setup.AddPlayer(utf8(computerName), freeBallColour(setup, ReadyMadeBallColours[1]), 1, false,
                    Player::LocalConnection)
        .SetComputer(strength);
    for (int i = 0; i < course.levelCount(); ++i) {
        setup.AddLevel(course.levelId(i));
    }
    // The course ID keys the high scores (a day of its own for the course of the day).
    setup.SetName(course.id());
    context_.networkMode = 0;
    if (keepCourse) {
        rememberSetup(setup, 0);
    } else {
        // The players, but not a course that is another one tomorrow: Play keeps its own.
        GameSettings::LastSetup remembered = setupmemory::of(setup, 0);
        remembered.course = kept.course;
        context_.settings.setLastSetup(remembered);
        context_.settings.Save();
    }
    controller_->startMatch(setup);
    return true;
}

void GameView::setUpLocalGame() {
    context_.networkMode = 0;
    newGame();
}

void GameView::playWithFriends() { goToRoom(); }

bool GameView::joinByLink(const QString& link) {
    const std::string text = utf8(link);
    const InviteLink read = InviteLink::parse(text, GameSettings::DefaultPort);
    if (!read.valid() || !read.namesHost()) {
        const QString problem = OnlinePage::linkProblem(
            read.valid() || read.problem == InviteProblem::Empty ? InviteProblem::NoCode
                                                                 : read.problem);
        inform(tr("The game cannot follow the link \"%1\". %2").arg(link.trimmed(), problem));
        return false;
    }
    context_.settings.setOnlineHost(
        InviteLink::hostText(read.host, read.port, GameSettings::DefaultPort));
    context_.roomRequest = {};
    context_.roomRequest.kind = roomproto::Request::Kind::Join;
    context_.roomRequest.code = read.code;
    return goToRoom();
}

bool GameView::goToRoom() {
    QString name = startScreen_->playerName();
    roomproto::Request request;
    if (!runFriendsDialog(name, request) || !mayAbandonGame()) {
        return false;
    }
    const GameSettings::LastSetup kept = context_.settings.lastSetup();
    Match setup;
    addPerson(setup, utf8(name), kept);
    startScreen_->offer(name, startScreen_->strength());
    context_.networkMode = 3;
    context_.roomRequest = request;
    rememberSetup(setup, 3);
    return startNetworkGame(setup, 3);
}

bool GameView::runFriendsDialog(QString& name, roomproto::Request& request) {
    FriendsDialog dialog(context_.settings, name, context_.roomRequest, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    name = dialog.playerName();
    request = dialog.request();
    // The room host as typed, for the next game, at once.
    context_.settings.Save();
    return true;
}

}  // namespace trundlex
