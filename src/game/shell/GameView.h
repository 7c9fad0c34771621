#pragma once

#include <QAction>
#include <QColor>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "control/GameContext.h"
#include "control/GameController.h"
#include "platform/BlockingHandoff.h"
#include "platform/GuiThreadRelay.h"
#include "platform/QtClock.h"
#include "settings/GameSettings.h"
#include "StartScreen.h"
#include "render/PlayfieldWnd.h"

class QMenu;

namespace trundlex {

class BannerOverlay;
class Course;
class ChatBox;
class GhostBall;
class MatchResultsDialog;
class ReplayBar;
class ScoreBoard;
class StandingsPanel;

// The commands of the game, with the numbers the menus, tool bar and accelerators use.
enum class GameCommand : int {
    NewGame = 139,
    Sound = 144,
    HighScore = 32802,
    SpeedFirst = 32807,  // 32807 ... 32814: speed modes -2 ... 5
    SpeedLast = 32814,
    DecreaseSpeed = 32815,
    IncreaseSpeed = 32816,
    LockSpeed = 32818,
    Restart = 32819,
    NextPosition = 32823,
    FastForward = 32824,
    Copy = 57634,
    Disconnect = 32820,
    Rejoin = 32825,
    Replay = 32787,
    Levels = 32821,
    Ghost = 32826,
    Help = 57666,
};

// The game's main window content: the playfield with the match, the score board above it
// and the mouse putting. Point away from the ball to aim, hold the left button to build up
// the force, release to putt. The rules of the game in progress are the controller's; the
// view turns mouse and commands into calls on it and shows what it reports.
class GameView : public PlayfieldWnd, private GameListener {
    Q_OBJECT

public:
    explicit GameView(GameContext& context, QWidget* parent = nullptr);
    ~GameView() override;

    GameController& controller() { return *controller_; }
    Match& match() { return controller_->match(); }
    const Match& match() const { return controller_->match(); }
    Player* currentPlayer() const { return controller_->currentPlayer(); }
    ScoreBoard* scoreBoard() const { return scoreBoard_; }
    ChatBox* chatBox() const { return chatBox_; }

    // The action of a command, for menus, tool bar and shortcuts.
    QAction* action(GameCommand command) const;
    QAction* speedAction(SpeedMode mode) const;
    // "Play for": one entry per player the computer plays for a computer that left the game;
    // choosing one gives the player to this computer's person.
    QMenu* playForMenu() const { return playFor_; }

    // Takes over a match set up elsewhere (the new-game wizard) and starts it.
    void startMatch(const Match& setup) { controller_->startMatch(setup); }
    // Starts a game of the level file at `path` for one player on this computer at once (see
    // setUpLevelTryout): the game given a level on its command line. A file that cannot be
    // read as a level is told to the user, and false returned with nothing started.
    bool playLevelFile(const QString& path);
    // Takes over a match set up for a network game and opens the lobby as a server
    // (mode 1) or a client (mode 2); the game starts when the network says so. False when
    // the lobby was left or could not be opened.
    bool startNetworkGame(const Match& setup, int mode);
    // The match the new-game wizard starts from: the game so far, or before the first game of
    // a launch the setup kept from the last launch (its players and its course, if found).
    Match wizardStart() const;
    // "Play" of the start screen: `name` on this computer against a computer player of
    // `strength`, on the course of the last game set up (the beginners' course at first),
    // started at once; the setup is kept for the next launch. False, with the player told,
    // when no course can be played or the name is empty.
    bool playAgainstComputer(const QString& name, ComputerStrength strength);
    // "Today's course" of the start screen: the same game on the course of the current UTC day
    // (DailyCourse), whose results go to that day's high-score list. The course Play plays
    // stays as it was. False, with the player told, when the name is empty or no level has a
    // shipped par to draw from.
    bool playTodaysCourse(const QString& name, ComputerStrength strength);
    // "Play with friends": asks for the player's name and the room to create or join, then
    // runs the room's lobby as the new-game wizard's online mode does.
    void playWithFriends();
    // A room's link given to the game (trundlex://HOST[:PORT]/CODE on its command line, as a
    // click on such a link starts it, or a room host's web invite link): "Play with friends"
    // with the link's host and code filled in and Join chosen, so that only the name is asked
    // (the remembered one offered), then the room's lobby. The host is kept as the online
    // host. A text that is no room link is told to the user and false returned; false too
    // when the dialog is cancelled.
    bool joinByLink(const QString& link);
    // "Local game": the whole new-game wizard, in the mode of a game on this computer.
    void setUpLocalGame();
    // What the window shows while no game is played.
    StartScreen* startScreen() const { return startScreen_; }
    // Starts the current match again from the first hole (asks first unless it is over).
    void restart(bool ask);
    // Goes back to the seat of the room game this computer last sat in (saved for two
    // hours): its lobby, or its running game from where the others are. False when there is
    // no such seat or the host did not take it back.
    bool rejoinRoom();
    // The seat kept for rejoining, if fresh enough.
    std::optional<GameSettings::RoomSeat> freshSeat() const;
    void putt(double aim, double force) { controller_->putt(aim, force); }
    void setSpeedMode(SpeedMode mode);
    // Before something ends the game in progress (a new game, quitting): true when there is
    // none still being played, or the user agrees to abandon it.
    bool mayAbandonGame();
    // Whether the ball of the turn can be played with this computer's mouse (not a player of
    // another computer): only then should it invite a click.
    bool turnPlayableHere() const { return turnPlayableHere_; }
    // The plates over the playfield (null until first shown), for tests and screenshots.
    const BannerOverlay* banner() const { return banner_; }
    const BannerOverlay* turnTag() const { return turnTag_; }
    // The replay's controls under the playfield while a replay is open; null otherwise.
    ReplayBar* replayBar() const { return replayBar_; }
    // Takes the replay away and gives the game back (the standings of a finished match
    // come back).
    void closeReplays();
    // The standings over the dimmed playfield after the results of a match; null until the
    // first are shown.
    StandingsPanel* standings() const { return standings_; }
    // The ghost of the best round over the playfield.
    const GhostBall* ghost() const { return ghost_; }
    // What the player is told when the high scores could not be saved to `path`.
    static QString highScoresNotSavedText(const std::string& path, const std::string& reason);

signals:
    // The match has ended; `winners` as shown in the congratulations.
    void matchOver(const QString& winners);
    // A text for the status bar.
    void status(const QString& text);

protected:
    // What the view asks of its user; tests replace these to run without modal windows.
    virtual void inform(const QString& text);
    virtual bool confirm(const QString& question);
    virtual void showHighScores(const std::string& courseId);
    // Shows the results at the end of a match, modal to the window, without waiting.
    virtual void showResults(MatchResultsDialog& dialog);
    // Runs the new-game wizard on `setup`; true when the user confirmed it.
    virtual bool runNewGameWizard(Match& setup);
    virtual void showReplays();
    virtual void showLevels();
    virtual void showHelp();
    // Runs a lobby; overridable so tests can drive it.
    virtual bool runLobby(int mode);
    // Asks for the name and the room of an online game with friends; true when confirmed.
    virtual bool runFriendsDialog(QString& name, roomproto::Request& request);

    void onBackgroundDrawn(QImage& background) override;
    void onBallStopped(bool inCup) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Keeps (or forgets) the seat of the room game just started, in the settings at once.
    void keepSeat();
    void forgetSeat();
    // The connection to the seat's room was lost now: two hours from now on.
    void markSeatLeft();
    // What the controller reports (GameListener).
    void rollBall(Ball& ball, double heading, double speed) override;
    void cancelRoll() override { stopBall(); }
    void stateChanged(ViewState state) override { setViewState(state); }
    void showBall(Ball* ball, const BallStyle& style) override { setBall(ball, style); }
    // A redraw wipes the aim (the controller shows it again if the turn has one); a new
    // level may move the frame, and the plates follow it.
    void redraw() override {
        shownAim_.reset();
        refresh(true);
        placeOverlays();
    }
    void clearPlayfield() override { clearImages(); }
    void aimChanged(double aim, bool lines) override { drawAim(aim, !lines); }
    void forceChanged(double force, bool shown) override;
    void holeStarted(int hole, int holeCount, const std::string& levelName) override;
    void scoreBoardFilled(const Match& match) override;
    void scoresChanged(const Match& match) override;
    void playerHighlighted(int index) override;
    void scoreBoardCleared() override;
    void parFound(int hole, int par) override;
    void computerThinking(const std::string& name) override;
    void computerDone() override { emit status(holeStatus_); }
    void replayShown(const std::string& name, int hole, int stroke) override;
    void matchEnded(const std::string& winners, const std::string& highScoreCourse) override;
    void replayEnded() override { emit status(holeStatus_); }
    void ghostShown(const GhostShot* shot) override;
    void ghostPutts() override;
    void highScoresNotSaved(const std::string& path, const std::string& reason) override;
    void levelMissing() override;
    void networkGameStarted(const std::vector<std::string>& localNames) override;
    void commandsChanged() override { updateActions(); }
    void turnShown(const TurnInfo& turn) override;
    void bannerShown(const Banner& banner) override;
    // The plate in `slot`, made on first use, placed over the level; placement as
    // BannerOverlay::Placement.
    BannerOverlay* overlay(BannerOverlay*& slot, int placement);
    // Puts the plates over the level, below the score board.
    void placeOverlays();

    // Runs `work` from the event loop, after the call in progress. By a timer, not a posted
    // event: work that stops a rolling ball waits for the ball's own posted notifications,
    // which a nested event loop does not deliver while it is itself delivering a posted event.
    void afterEvents(std::function<void()> work);
    // Closes the results screen, if one is open, without the standings it leaves behind.
    void closeResults();
    // The finished match's standings on the table, with Play again and New game; the
    // winner's replay stops for them.
    void showStandings();
    void hideStandings();
    void createActions();
    void updateActions();
    void newGame();
    // Keeps `setup`, played in `mode`, in the settings for the next launch.
    void rememberSetup(const Match& setup, int mode);
    // Starts `name` against the computer on `course`; `keepCourse`: the next launch's Play
    // plays this course too.
    bool startAgainstComputer(const QString& name, ComputerStrength strength, const Course& course,
                              bool keepCourse);
    // "Play with friends" with what the context holds (a host and code from a link, say),
    // then the room's lobby; false when cancelled or the lobby was left.
    bool goToRoom();
    // Shows the start screen while there is no game, with Continue while a seat is fresh.
    void updateStartScreen();
    void connectStartScreen();
    void drawAim(double aim, bool circleOnly);
    void drawModernAim(QPainter& painter, QPointF centre, double aim, bool circleOnly);
    void paintForceMeter(QPainter& painter);
    // Places the score board and chat box in the strip above the playfield and gives the
    // playfield the rest of the window.
    void layoutHeader();
    void toggleSound();
    void copyScores();

    GameContext& context_;
    ScoreBoard* scoreBoard_;
    ChatBox* chatBox_ = nullptr;
    // What the controller asks of this program; declared before it, so they outlive it.
    QtClock clock_{this};
    GuiThreadRelay relay_;
    BlockingHandoff netHandoff_{this};
    std::unique_ptr<GameController> controller_;
    double shownForce_ = 0.0;
    bool meterShown_ = false;
    std::map<int, QAction*> actions_;
    QMenu* playFor_ = nullptr;
    StartScreen* startScreen_ = nullptr;
    // The status line of the hole being played, shown again after a computer's turn.
    QString holeStatus_;
    // Shown again on the results screen: the end of the match pushes it off the status line.
    QString unsavedScores_;
    QPointer<MatchResultsDialog> results_;
    BannerOverlay* banner_ = nullptr;
    BannerOverlay* turnTag_ = nullptr;
    struct DeferredTurn {
        QString text;
        QColor colour;
        int milliseconds = 0;
    };
    std::optional<DeferredTurn> deferredTurn_;
    ReplayBar* replayBar_ = nullptr;
    StandingsPanel* standings_ = nullptr;
    GhostBall* ghost_ = nullptr;
    // The status line told about the ghost in this match.
    bool ghostIntroduced_ = false;
    // The standings belong on the table (hidden only while a replay uses the playfield).
    bool standingsWanted_ = false;
    // The course whose high-score list the last match entered; empty for none.
    std::string highScoreCourse_;
    bool turnPlayableHere_ = true;
    // The aim last drawn (direction, ring only) until the ball rolls or the playfield is
    // redrawn for a new turn: a new layout draws it again, with no mouse move needed.
    std::optional<std::pair<double, bool>> shownAim_;
};

}  // namespace trundlex
