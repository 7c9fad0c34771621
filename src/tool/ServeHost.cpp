#include "ServeHost.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "ball/Ball.h"
#include "solver/PuttSolver.h"
#include "play/ComputerPlayer.h"
#include "play/Match.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

// Takes the end of a synchronous putt, and passes each step on.
class StopRecorder : public BallOwner {
public:
    explicit StopRecorder(std::function<void()> step) : step_(std::move(step)) {}
    void onBallNotification(std::int32_t, BallNotification code) override {
        if (code == BallMoved) {
            step_();
        } else {
            inCup = code == BallInCup;
        }
    }
    bool inCup = false;

private:
    std::function<void()> step_;
};

// The host plays inherited players well, so that the game moves on, and within a couple of
// seconds: the other computers wait for the putt meanwhile.
constexpr ComputerStrength kInheritedStrength = ComputerStrength::Hard;
constexpr double kThinkingSeconds = 2.0;

}  // namespace

ServeHost::ServeHost(NetGame& net, Match& match, const LevelLibrary& library, EventLog& log,
                     int startWhen, std::function<void()> wake)
    : net_(net),
      match_(match),
      log_(log),
      startWhen_(startWhen),
      wake_(std::move(wake)),
      flow_(match, library, level_) {
    // The players of a client that leaves are the computer's from then on.
    net_.setDepartedHand(kInheritedStrength);
    // This host follows the match, so it knows whose putt to relay: nobody's until the first
    // turn is handed out.
    net_.setTurnOwner(NetSession::NoTurn);
    net_.setServerLog([this](const std::string& text) { log_.line(lineSafe(text)); });
}

void ServeHost::onNetEvent(NetEvent event) {
    auto lock = net_.lock();
    switch (event) {
        case NetLobbyClosed:
            overAnnounced_ = false;
            follow(flow_.restart(false), lock);
            break;
        case NetStart: {
            // The turn's owner is named before the line, so that whoever reads "start" may
            // aim at once.
            const FlowStep step = flow_.advance();
            net_.setTurnFrom(step);
            log_.line("start");
            follow(step, lock);
            break;
        }
        case NetAllStopped:
            log_.line("stopped");
            follow(flow_.advance(), lock);
            break;
        case NetPutt:
            takeRemotePutt(net_.puttForce(), net_.puttAngle(), lock);
            break;
        case NetChat:
            // What people say to each other is theirs: the operator sees that somebody spoke,
            // and the words only when asked for.
            log_.line("chat " + lineSafe(net_.chatName()) +
                      (logChat_ ? ": " + lineSafe(net_.chatText()) : std::string()));
            break;
        case NetDisconnectInfo:
            logDisconnection(net_.eventData());
            break;
        case NetConnectionClosed:
            // The players of the computer that left are played here now.
            follow(flow_.resume(), lock);
            break;
        case NetPlayersReturned:
            log_.line("back " + lineSafe(net_.eventData().returnedNames));
            // Their own computer plays them again: the turn's owner is named anew.
            follow(flow_.resume(), lock);
            break;
        case NetEnded:
            if (keepForReturns_ && !overAnnounced_ && net_.seatsWaiting()) {
                // Nobody plays on meanwhile (follow waits for a client), and the putts so far
                // stay for whoever comes back.
                log_.line("empty: the game waits for its players");
                break;
            }
            // The last client has gone, during the game or after its end. Nobody is left
            // to play for or to watch, so the match ends here and the main thread opens a
            // new lobby. Whatever the lobby lists printed is gone with the connections,
            // and the players the host inherited leave with the game they were in (the
            // flow forgets them first: it points at the current one).
            announceOver();
            flow_.reset();
            match_.RemovePlayersOf(Player::LocalConnection);
            connected_.clear();
            ready_.clear();
            announced_.clear();
            lobbyWanted_.store(true);
            wakeMain();
            break;
        case NetConnectionAdded:
        case NetAim:
        case NetCatchUp:
            break;
    }
}

void ServeHost::onLobbyChanged() {
    const LobbySnapshot snapshot = net_.lobbySnapshot();
    for (const LobbyComputer& computer : snapshot.computers) {
        if (connected_.insert(computer.connection).second) {
            log_.line("connected " + lineSafe(computer.peer));
        }
        if (computer.status == ComputerStatus::Ready && ready_.insert(computer.connection).second) {
            log_.line("ready " + lineSafe(computer.peer));
        }
    }
    // A client may leave and another join under a used connection value; count names.
    std::map<std::string, int> names;
    for (const LobbyPlayer& player : snapshot.players) {
        if (++names[player.name] > announced_[player.name]) {
            announced_[player.name] = names[player.name];
            log_.line("player " + lineSafe(player.name));
        }
    }
    for (auto it = connected_.begin(); it != connected_.end();) {
        const bool present =
            std::any_of(snapshot.computers.begin(), snapshot.computers.end(),
                        [&](const LobbyComputer& c) { return c.connection == *it; });
        if (!present) {
            ready_.erase(*it);
            it = connected_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [name, count] : announced_) {
        count = names[name];
    }
    wakeMain();
}

void ServeHost::tryStart() {
    if (net_.isLobbyClosed() || (startRequestNeeded_ && !net_.startRequested())) {
        return;
    }
    const LobbySnapshot snapshot = net_.lobbySnapshot();
    const auto ready =
        std::count_if(snapshot.computers.begin(), snapshot.computers.end(),
                      [](const LobbyComputer& c) { return c.status == ComputerStatus::Ready; });
    const auto needed = static_cast<long>(std::max(startWhen_, 1));
    if (snapshot.connectionCount < needed || ready < needed) {
        return;
    }
    // Refused while a client is still fetching levels; its "ready" wakes us again.
    net_.startHandshake();
}

void ServeHost::wakeMain() {
    wake_();
}

void ServeHost::follow(FlowStep step, Lock& lock) {
    if (step.holeStarted) {
        log_.line("hole " + std::to_string(match_.GetHole() + 1));
    }
    net_.setTurnFrom(step);
    if (step.outcome == FlowOutcome::Over || step.outcome == FlowOutcome::MissingLevel) {
        announceOver();
        return;
    }
    if (step.outcome != FlowOutcome::Turn || step.player == nullptr ||
        !step.player->IsLocalPlayer()) {
        return;
    }
    // With no client left the game is ending (NetEnded follows): playing the rest of the
    // course for nobody would only keep this thread busy.
    if (net_.isConnected()) {
        putForInheritedPlayer(*step.player, lock);
    }
}

void ServeHost::announceOver() {
    if (!overAnnounced_) {
        overAnnounced_ = true;
        log_.line("over");
    }
}

void ServeHost::putForInheritedPlayer(Player& player, Lock& lock) {
    // The same computer player as in the game, for a player whose computer left. It thinks
    // for seconds: off the lock, on this thread's own copy of where the ball lies.
    const double x = player.GetBall().GetX();
    const double y = player.GetBall().GetY();
    const ComputerStrength strength =
        player.IsComputer() ? player.GetComputer() : kInheritedStrength;
    lock.unlock();
    const PuttSolver solver(level_);
    const ComputerPutt putt =
        chooseComputerPutt(solver, x, y, strength, random_, kThinkingSeconds);
    lock.lock();
    // Meanwhile the player's own computer may have come back for it.
    if (flow_.currentPlayer() != &player || flow_.phase() != FlowPhase::Turn ||
        !player.IsLocalPlayer()) {
        return;
    }
    // Sending may round the values to what the others read; they are played as sent.
    double force = putt.speed;
    double angle = putt.heading;
    if (!net_.sendPutt(force, angle)) {
        return;
    }
    logPutt(force, angle);
    if (!flow_.startPutt(force, angle)) {
        net_.localBallStopped();
        return;
    }
    roll(force, angle, lock);
}

void ServeHost::takeRemotePutt(double force, double angle, Lock& lock) {
    logPutt(force, angle);
    if (flow_.startPutt(force, angle)) {
        roll(force, angle, lock);
    } else {
        // A putt the flow does not expect moves no ball here; still report this computer
        // as stopped, or every other computer would wait for it forever.
        net_.localBallStopped();
    }
}

void ServeHost::roll(double force, double angle, Lock& lock) {
    Player* player = flow_.currentPlayer();
    StopRecorder owner([this] { rollStep(); });
    if (player != nullptr) {
        Ball& ball = player->GetBall();
        ball.SetSpeedMode(Fastest);
        // A roll may take a second or more; the I/O thread needs the lock meanwhile.
        lock.unlock();
        ball.PuttNow(force, angle, &owner, Fastest);
        lock.lock();
    }
    flow_.ballStopped(owner.inCup);
    net_.localBallStopped();
}

void ServeHost::logDisconnection(const NetEventData& data) {
    switch (data.dropReason) {
        case DropReason::NoGreeting:
            log_.line("dropped " + lineSafe(data.disconnectPeer) + ": no greeting");
            break;
        case DropReason::Idle:
            log_.line("dropped " + lineSafe(data.disconnectPeer) + ": idle");
            break;
        case DropReason::None:
            log_.line("disconnected " + lineSafe(data.disconnectNames) + " " +
                      lineSafe(data.disconnectPeer));
            break;
    }
}

void ServeHost::logPutt(double force, double angle) {
    const Player* player = flow_.currentPlayer();
    const std::string who = player != nullptr ? lineSafe(player->GetName()) + " " : std::string();
    log_.line("putt " + who + formatFixed6(force) + " " + formatFixed6(angle));
}

}  // namespace trundlex::tool
