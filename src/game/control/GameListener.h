#pragma once

#include <string>
#include <vector>

#include "Feedback.h"
#include "ball/BallTypes.h"

namespace trundlex {

class Ball;
class Match;
struct GhostShot;

// What the game is doing, and so what the mouse does and what the playfield shows.
enum ViewState : int {
    NoGame = 0,
    Aiming = 2,            // a player of this computer aims with the mouse
    WaitingForRemote = 3,  // a player of another computer has the turn
    Charging = 4,          // the button is held: the force builds up
    Rolling = 5,           // a putt rolls
    ReplayWaiting = 6,
    ReplayRolling = 7,
    GameOver = 8,          // the match is over, or the game was reset
    ComputerThinking = 9,  // the computer works out the putt of a player of this computer
};

// What a game controller tells the view that shows its game. Every call comes on the
// controller's thread. Only rollBall must be answered (with GameController::ballStopped);
// everything else is for showing, and a listener that shows nothing may ignore it.
class GameListener {
public:
    virtual ~GameListener() = default;

    // Roll `ball` with this putt on the controller's level and call ballStopped when it rests.
    // It is always the ball last given to showBall.
    virtual void rollBall(Ball& ball, double heading, double speed) = 0;
    // Cut a rolling ball short without reporting its stop.
    virtual void cancelRoll() {}

    virtual void stateChanged(ViewState state) { (void)state; }
    // The ball to show and to play (null: none), looking as `style` says.
    virtual void showBall(Ball* ball, const BallStyle& style) {
        (void)ball;
        (void)style;
    }
    // The playfield to be drawn anew / forgotten until the next drawing.
    virtual void redraw() {}
    virtual void clearPlayfield() {}
    // The current ball's aim: the ring alone, or with the lines that show the direction.
    virtual void aimChanged(double aim, bool lines) {
        (void)aim;
        (void)lines;
    }
    // The force meter: the force built up, and whether the meter shows at all.
    virtual void forceChanged(double force, bool shown) {
        (void)force;
        (void)shown;
    }

    // A new hole began (`hole` counts from 0); its level is in the controller's level.
    virtual void holeStarted(int hole, int holeCount, const std::string& levelName) {
        (void)hole;
        (void)holeCount;
        (void)levelName;
    }
    // The score board: set up for the match, scores changed, the row of the player who has
    // the turn (-1: none), emptied and hidden, a hole's par found.
    virtual void scoreBoardFilled(const Match& match) { (void)match; }
    virtual void scoresChanged(const Match& match) { (void)match; }
    virtual void playerHighlighted(int index) { (void)index; }
    virtual void scoreBoardCleared() {}
    virtual void parFound(int hole, int par) {
        (void)hole;
        (void)par;
    }

    // The turn was handed out: who has it, and whether the mouse may play it here (a ball
    // that cannot be played here should not invite a click).
    virtual void turnShown(const TurnInfo& turn) { (void)turn; }
    // A short banner for what a putt led to (holed out, water, the stroke limit). The game
    // goes on by itself; nothing needs to be answered.
    virtual void bannerShown(const Banner& banner) { (void)banner; }

    // A computer player works out its putt / has putted.
    virtual void computerThinking(const std::string& name) { (void)name; }
    virtual void computerDone() {}
    // A recorded putt is set up for replaying.
    virtual void replayShown(const std::string& name, int hole, int stroke) {
        (void)name;
        (void)hole;
        (void)stroke;
    }
    // Replaying ended and the game goes on.
    virtual void replayEnded() {}
    // The ghost of the best round on this course: where its ball lies at the stroke the
    // player who has the turn is on, and how its putt of that stroke rolls. Null: no ghost
    // (none kept, turned off, in the cup, or not this player's turn). The shot lasts until
    // the next call.
    virtual void ghostShown(const GhostShot* shot) { (void)shot; }
    // The player putted: the ghost shown putts alongside, tick for tick with the ball.
    virtual void ghostPutts() {}
    // The match is over. `highScoreCourse` is the course whose high-score list the results
    // entered (and was saved), or empty.
    virtual void matchEnded(const std::string& winners, const std::string& highScoreCourse) {
        (void)winners;
        (void)highScoreCourse;
    }
    // The results just entered could not be saved to `path` (`reason` says why: a folder
    // that cannot be written, a lock another program holds). They stay in memory and go with
    // the next save; comes before matchEnded.
    virtual void highScoresNotSaved(const std::string& path, const std::string& reason) {
        (void)path;
        (void)reason;
    }
    // A level of the game is no longer in the library: the game ended.
    virtual void levelMissing() {}
    // A network game left its lobby; `localNames` are this computer's players, for the chat.
    virtual void networkGameStarted(const std::vector<std::string>& localNames) {
        (void)localNames;
    }
    // What may be done now changed (restart, replay, disconnect...).
    virtual void commandsChanged() {}
};

}  // namespace trundlex
