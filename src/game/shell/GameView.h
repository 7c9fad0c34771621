#pragma once

#include <QAction>
#include <QTimer>
#include <map>
#include <memory>

#include "ComputerTurn.h"
#include "GameContext.h"
#include "ParWorker.h"
#include "NetEventBridge.h"
#include "net/NetGame.h"
#include "play/Match.h"
#include "play/MatchFlow.h"
#include "render/PlayfieldWnd.h"

namespace trundlex {

class ChatBox;
class ScoreBoard;

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
    Replay = 32787,
    Levels = 32821,
    Help = 57666,
};

// What the view is doing; kept in the playfield's view state.
enum ViewState : int {
    NoGame = 0,
    Aiming = 2,            // a player of this computer aims with the mouse
    WaitingForRemote = 3,  // a player of another computer has the turn
    Charging = 4,          // the button is held: the force builds up
    Rolling = 5,           // a putt rolls
    ReplayWaiting = 6,
    ReplayRolling = 7,
    GameOver = 8,  // the match is over, or the view was reset
    ComputerThinking = 9,  // the computer works out the putt of a player of this computer
};

// The game's main window content: the playfield with the match, the score board above it
// and the mouse putting. Point away from the ball to aim, hold the left button to build up
// the force (the aim trembles more the harder the putt), release to putt. The turn passes
// when the ball rests; holes and the match end as the match decides.
class GameView : public PlayfieldWnd {
    Q_OBJECT

public:
    explicit GameView(GameContext& context, QWidget* parent = nullptr);
    ~GameView() override;

    Match& match() { return match_; }
    const Match& match() const { return match_; }
    // The player who has the turn or whose ball rolls; null when nobody has it.
    Player* currentPlayer() const { return flow_.currentPlayer(); }
    double force() const { return force_; }
    double aim() const { return aim_; }
    ScoreBoard* scoreBoard() const { return scoreBoard_; }
    ChatBox* chatBox() const { return chatBox_; }
    NetGame& net() { return *net_; }

    // The action of a command, for menus, tool bar and shortcuts.
    QAction* action(GameCommand command) const;
    QAction* speedAction(int mode) const;

    // Takes over a match set up elsewhere (the new-game wizard) and starts it.
    void startMatch(const Match& setup);
    // Takes over a match set up for a network game and opens the lobby as a server
    // (mode 1) or a client (mode 2); the game starts when the network says so. False when
    // the lobby was left or could not be opened.
    bool startNetworkGame(const Match& setup, int mode);
    // What the network's events do; runs on the view's thread while the network waits.
    void handleNetEvent(NetEvent event);
    // Starts the current match again from the first hole (asks first unless it is over).
    void restart(bool ask);
    void putt(double aim, double force);
    void setSpeedMode(int mode);

    // Replays of recorded putts, on the window's own ball; they never change the match.
    // Sets the putt up on its level at its start without rolling it; false while a putt of
    // the game rolls, or for a player or putt that does not exist.
    bool prepareReplay(int playerIndex, int puttIndex);
    // Sets the putt up and rolls it.
    bool runReplay(int playerIndex, int puttIndex);
    // Ends replaying; in a match still running the player whose turn it was gets it back.
    void stopReplay();
    bool isHighlightOn() const { return highlightOn_; }
    int highlightIndex() const { return highlightIndex_; }

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
    // Runs the new-game wizard on `setup`; true when the user confirmed it.
    virtual bool runNewGameWizard(Match& setup);
    virtual void showReplays();
    virtual void showLevels();
    virtual void showHelp();

    void onBackgroundDrawn(QImage& background) override;
    void onBallStopped(bool inCup) override;
    void onLayout() override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void createActions();
    void updateActions();
    void newGame();
    // Shows what a step of the turn flow led to: a new hole, whose turn it is, the end.
    void follow(const FlowStep& step);
    // The current player's turn on screen: score board row, ball, aim circle, view state.
    void showTurn();
    void endMatch();
    void doPutt(double aim, double force, bool fromNetwork = false);
    // A player of this computer whom the computer plays has the turn: think, show the aim,
    // putt (GameViewComputer.cpp).
    void startComputerTurn(const Player& player);
    void showComputerAim(const ComputerPutt& putt);
    void cancelComputerTurn();
    // Sets the score board up for the match and has the holes' pars worked out for it.
    void fillScoreBoard();
    // A network game is running (or gathering).
    bool networked() const { return net_->isConnected(); }
    // Runs a lobby; overridable so tests can drive it.
    virtual bool runLobby(int mode);
    void drawAim(bool circleOnly);
    void forceTick();
    void releasePutt();
    // Stops whatever is going on (force, roll, highlight) and shows no game.
    void resetView();
    void toggleSound();
    void copyScores();
    void handleStop(bool inCup);
    void changeView(int state);

    GameContext& context_;
    Match match_;
    // The rules of turns and holes. Wherever a network game may be running, it is called
    // under the network lock, as the network changes the match's players too.
    MatchFlow flow_;
    ScoreBoard* scoreBoard_;
    // The bridge outlives the network object, whose threads may still be calling it while
    // the view is taken apart; the network object goes first (see the destructor).
    NetEventBridge netBridge_;
    std::unique_ptr<NetGame> net_;
    ChatBox* chatBox_;
    QTimer forceTimer_;
    double force_ = 0.0;
    double aim_ = 0.0;
    bool meterShown_ = false;
    bool highlightOn_ = false;
    int highlightIndex_ = -1;
    std::map<int, QAction*> actions_;
    ComputerTurn computer_;
    std::unique_ptr<ParWorker> parWorker_;
    // Counts computer turns started and cancelled, so that a putt shown before a restart is
    // never played after it.
    std::uint64_t computerMove_ = 0;
    // The status line of the hole being played, shown again after a computer's turn.
    QString holeStatus_;
};

}  // namespace trundlex
