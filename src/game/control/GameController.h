#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ComputerTurn.h"
#include "GameContext.h"
#include "GameListener.h"
#include "NetEventBridge.h"
#include "ParWorker.h"
#include "ball/Ball.h"
#include "net/NetGame.h"
#include "play/Match.h"
#include "play/GhostRound.h"
#include "play/MatchFlow.h"
#include "util/Clock.h"
#include "util/TaskRelay.h"

namespace trundlex {

// The rules of a game in progress, without a window: the match and its turn flow, the mouse
// putting's force meter, the network game, computer players' turns, replays of recorded
// putts and the holes' pars. It tells a GameListener what to show and asks it to roll balls;
// the listener reports back with ballStopped. Timers go through an injected clock, results
// of background work through an injected relay, so tests drive it without real waiting.
//
// Threads: everything runs on one thread, the controller's (a program's GUI thread). Wherever
// a network game may be running, the match is read and changed under the network's lock.
class GameController {
public:
    // What the controller asks of the program it runs in. All must outlive the controller.
    struct Platform {
        Clock& clock;
        // Brings background results (computer putts, pars) to the controller's thread.
        TaskRelay& relay;
        // Hands network events to the controller's thread while the network waits.
        TaskHandoff& netHandoff;
        // One step of the event loop, for balls that wait for their worker; may be empty.
        std::function<bool()> messagePump;
        // Carries the network game's connection where the program does that itself (a
        // browser page): the network game is then a client on this thread. Null: the
        // network game has sockets and threads of its own.
        NetCarrier* carrier = nullptr;
    };

    // Hole levels are loaded into `level`, which every ball then rolls on and the view shows.
    GameController(GameContext& context, Level& level, Platform platform, GameListener& listener);
    // Cuts background work short, leaves the network game and waits for its threads.
    ~GameController();
    GameController(const GameController&) = delete;
    GameController& operator=(const GameController&) = delete;

    Match& match() { return match_; }
    const Match& match() const { return match_; }
    NetGame& net() { return *net_; }
    ViewState state() const { return state_; }
    // The player who has the turn or whose ball rolls; null when nobody has it.
    Player* currentPlayer() const { return flow_.currentPlayer(); }
    // The ball shown and played: the current player's, or the replay ball; null for none.
    Ball* currentBall() const { return shownBall_; }
    double force() const { return force_; }
    double aim() const { return aim_; }
    // Each hole's par as far as it is known, by hole; 0 for a hole whose par is not known
    // (not worked out yet, or its level has none).
    const std::vector<int>& pars() const { return pars_; }
    bool isHighlightOn() const { return highlightOn_; }
    int highlightIndex() const { return highlightIndex_; }
    // Who has the turn now and whether it is played here; a Here turn without a name when
    // nobody has it.
    TurnInfo turnInfo() const;
    // A match is on (being played or finished). A network game whose lobby was cancelled has
    // players and levels set up for the next attempt, but no game.
    bool hasGame() const {
        return !setUpOnly_ && match_.PlayerCount() > 0 && match_.LevelCount() > 0;
    }
    // A network game is running (or gathering).
    bool networked() const { return net_->isConnected(); }
    // The last network game ended early because this computer lost its room host (not
    // because the host stopped): its seat may be taken again.
    bool connectionLost() const { return connectionLost_; }

    // --- Starting ---
    // Takes over a match set up elsewhere (the new-game wizard) and starts it on this computer.
    void startMatch(const Match& setup);
    // Takes over a match set up for a network game, as a server (mode 1) or a client (mode 2,
    // or 3 online, which plays the server's levels). The lobby runs next; the game starts when the
    // network says so. Call lobbyEnded with the lobby's answer.
    void prepareNetworkGame(const Match& setup, int mode);
    void lobbyEnded(bool started);
    // Whether restart would interrupt a match still being played (worth asking first).
    bool restartInterrupts() const { return hasGame() && !match_.IsOver(); }
    // Starts the current match again from the first hole; in a network game every computer
    // starts again once all have confirmed.
    void restart();
    // Leaves the network game.
    void disconnect() { net_->endGame(); }
    // Stops whatever is going on (force, roll, replay, computer's thinking): no game shown.
    void reset();

    // --- Putting ---
    // The player who has the turn putts (also a computer player's or a network putt).
    void putt(double heading, double speed);
    // The mouse points so that the ball would go this way; only while aiming or charging.
    void aimAt(double heading);
    // The button goes down: the force builds up, one tick every 10 ms, the aim trembling.
    void beginCharge();
    // The button comes up: putts with the force built up, or aims again if it was too weak.
    void releaseCharge();
    // The putt is called off while the force builds up (Esc, the pointer back on the ball):
    // the player aims again.
    void cancelCharge();
    // Putts at once as if the button had been held until the force reached `force`, the aim
    // trembling at every tick on the way exactly as it would have: for input that chooses the
    // force directly (a drag on a touch screen), so that it plays by the same rule as the
    // mouse. False (nothing done) unless a player of this computer aims, or for a force too
    // weak to putt; a force above forcemeter::MaxForce is taken as MaxForce.
    bool puttWithForce(double heading, double force);
    // The ball last rolled with rollBall rests; inCup when it dropped.
    void ballStopped(bool inCup);
    void setSound(bool on);
    // The rolling putt is being fast-forwarded: its banner is skipped and the game goes on
    // without a pause.
    void hurry() { hurried_ = true; }

    // --- Replays, on a ball of their own; they never change the match ---
    // Sets the putt up on its level at its start without rolling it; false while a putt of
    // the game rolls, or for a player or putt that does not exist.
    bool prepareReplay(int playerIndex, int puttIndex);
    // Sets the putt up and rolls it.
    bool runReplay(int playerIndex, int puttIndex);
    // Ends replaying; in a match still running the player whose turn it was gets it back.
    void stopReplay();
    // The end-of-match loop of the winner's putts stops after the putt rolling now.
    void stopHighlight() { highlightOn_ = false; }

    // --- The ghost of the best round ---
    // This computer kept a round of the match's course on its very levels.
    bool hasGhost() const { return ghost_.has_value(); }
    // The round the ghost putts; null without one.
    const GhostRound* ghostRound() const { return ghost_ ? &*ghost_ : nullptr; }
    bool ghostOn() const { return ghostOn_; }
    // Shows or hides the ghost from the next turn on (at once while a player aims). In a
    // game of one player of this computer the choice is remembered in the settings.
    void setGhostOn(bool on);

    // --- Players whose computer left a network game ---
    // The players the computer plays here because their own computer left, by index.
    std::vector<int> handedOverPlayers() const;
    // This computer's person plays the player at `index` from now on instead of the
    // computer; a turn the computer was thinking about waits for the mouse. False (nothing
    // changes) for a player the computer does not stand in for.
    bool playFor(int index);

    // What a network event does; runs on the controller's thread while the network waits.
    void handleNetEvent(NetEvent event);

private:
    // Shows what a step of the turn flow led to: a new hole, whose turn it is, the end.
    void follow(const FlowStep& step);
    void showTurn();
    // The match is over: results, high scores, the winner's replay. With `complete` false
    // (a network game that cannot go on) the results so far, entering no high score.
    void endMatch(bool complete = true);
    // A network game lost the computer it cannot go on without: it ends where it stands.
    void abandonMatch();
    // Back in a room's running game: rolls its putts so far (NetCatchUp).
    void catchUp(const std::vector<std::pair<double, double>>& putts);
    void doPutt(double heading, double speed, bool fromNetwork);
    void setState(ViewState state);
    void showBall(Ball* ball, const BallStyle& style);
    // The local player's aim changed: shown, and sent to the other computers.
    void changeAim(double heading);
    void forceTick();
    void stopCharging();
    // Sets the score board up for the match and has the holes' pars worked out for it.
    void fillScoreBoard();
    void startComputerTurn(const Player& player);
    void showComputerAim(const ComputerPutt& putt);
    void cancelComputerTurn();
    // Shows the banner for the putt that just stopped, if it earns one (never for a putt
    // being fast-forwarded); true when one was shown.
    bool announce(bool inCup);
    // Goes on to the next turn, after a banner's pause when one was shown.
    void advanceAfter(bool announced);
    // Finds the round kept for the match's course, and whether to show it.
    void loadGhost();
    // Shows the ghost's ball for the turn of `player` (or none).
    void showGhost(const Player* player);
    void hideGhost();
    // A complete match's best round of a person here is kept when it beats the one kept.
    void keepGhost();
    int localPeople() const;

    GameContext& context_;
    Level& level_;
    Platform platform_;
    GameListener& listener_;
    Match match_;
    bool setUpOnly_ = false;
    bool connectionLost_ = false;
    // The rules of turns and holes; called under the network lock (see the class comment).
    MatchFlow flow_;
    Ball replayBall_;
    Ball* shownBall_ = nullptr;
    ViewState state_ = NoGame;
    double force_ = 0.0;
    double aim_ = 0.0;
    Clock::TimerId forceTimer_ = 0;
    Clock::TimerId computerTimer_ = 0;
    Clock::TimerId bannerTimer_ = 0;
    bool hurried_ = false;
    // The pars found so far for the match's holes, by hole; 0 for a hole not known yet.
    std::vector<int> pars_;
    bool highlightOn_ = false;
    int highlightIndex_ = -1;
    ComputerTurn computer_;
    std::optional<GhostRound> ghost_;
    bool ghostOn_ = false;
    // The ghost's shots on the hole ghostHole_, worked out when the hole is first shown.
    std::vector<GhostShot> ghostShots_;
    int ghostHole_ = -1;
    bool ghostShown_ = false;
    std::unique_ptr<ParWorker> parWorker_;
    // The bridge outlives the network object, whose threads may still be calling it while
    // the controller is taken apart; the network object goes first (see the destructor).
    NetEventBridge netBridge_;
    std::unique_ptr<NetGame> net_;
};

}  // namespace trundlex
