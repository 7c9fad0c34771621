#include "ServeHost.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "ball/Ball.h"
#include "play/Match.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

// Takes the end of a synchronous putt.
class StopRecorder : public BallOwner {
public:
    void onBallNotification(std::int32_t, BallNotification code) override {
        if (code != BallMoved) {
            inCup = code == BallInCup;
        }
    }
    bool inCup = false;
};

// Rolling friction of grass per time unit: a ball started at speed v comes to rest after
// about v / friction blocks, since every sub-step takes the same fraction of its speed.
constexpr double GrassFriction = 0.602;
constexpr double MaxHostForce = 80.0;

// What the host putts for a player it inherited: straight at the centre of the nearest cup
// block, with the speed that would carry the ball just past it on open grass.
void aimAtNearestCup(const Level& level, const Ball& ball, double& force, double& angle) {
    const double x = ball.GetX();
    const double y = ball.GetY();
    std::optional<double> bestDistance;
    angle = 0.0;
    for (std::int32_t c = 0; c < level.width(); ++c) {
        for (std::int32_t r = 0; r < level.height(); ++r) {
            const Block& block = level.block(c, r);
            const bool cup =
                block.back().kind() == Cup || (!block.isPlain() && block.front().kind() == Cup);
            if (!cup) {
                continue;
            }
            const double dx = c + 0.5 - x;
            const double dy = r + 0.5 - y;
            const double distance = std::hypot(dx, dy);
            if (!bestDistance || distance < *bestDistance) {
                bestDistance = distance;
                angle = std::atan2(dy, dx);
            }
        }
    }
    const double distance = bestDistance.value_or(5.0);
    force = std::clamp(GrassFriction * (distance + 0.5), 1.0, MaxHostForce);
}

}  // namespace

ServeHost::ServeHost(NetGame& net, Match& match, const LevelLibrary& library, EventLog& log,
                     int startWhen, int wakeFd)
    : net_(net),
      match_(match),
      log_(log),
      startWhen_(startWhen),
      wakeFd_(wakeFd),
      flow_(match, library, level_) {}

void ServeHost::onNetEvent(NetEvent event) {
    auto lock = net_.lock();
    switch (event) {
        case NetLobbyClosed:
            overAnnounced_ = false;
            follow(flow_.restart(false));
            break;
        case NetStart:
            log_.line("start");
            follow(flow_.advance());
            break;
        case NetAllStopped:
            log_.line("stopped");
            follow(flow_.advance());
            break;
        case NetPutt:
            takeRemotePutt(net_.puttForce(), net_.puttAngle());
            break;
        case NetChat:
            log_.line("chat " + net_.chatName() + ": " + net_.chatText());
            break;
        case NetDisconnectInfo:
            log_.line("disconnected " + net_.eventData().disconnectNames);
            break;
        case NetConnectionClosed:
            // The players of the computer that left are played here now.
            follow(flow_.resume());
            break;
        case NetEnded:
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
            break;
    }
}

void ServeHost::onLobbyChanged() {
    const LobbySnapshot snapshot = net_.lobbySnapshot();
    for (const LobbyComputer& computer : snapshot.computers) {
        if (connected_.insert(computer.connection).second) {
            log_.line("connected " + computer.address);
        }
        if (computer.status == ComputerStatus::Ready && ready_.insert(computer.connection).second) {
            log_.line("ready " + computer.address);
        }
    }
    // A client may leave and another join under a used connection value; count names.
    std::map<std::string, int> names;
    for (const LobbyPlayer& player : snapshot.players) {
        if (++names[player.name] > announced_[player.name]) {
            announced_[player.name] = names[player.name];
            log_.line("player " + player.name);
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
    if (net_.isLobbyClosed()) {
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
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &byte, 1);
}

void ServeHost::follow(FlowStep step) {
    if (step.holeStarted) {
        log_.line("hole " + std::to_string(match_.GetHole() + 1));
    }
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
        putForInheritedPlayer(*step.player);
    }
}

void ServeHost::announceOver() {
    if (!overAnnounced_) {
        overAnnounced_ = true;
        log_.line("over");
    }
}

void ServeHost::putForInheritedPlayer(Player& player) {
    double force = 0.0;
    double angle = 0.0;
    aimAtNearestCup(level_, player.GetBall(), force, angle);
    if (!net_.sendPutt(force, angle)) {
        return;
    }
    logPutt(force, angle);
    if (!flow_.startPutt(force, angle)) {
        net_.localBallStopped();
        return;
    }
    roll(force, angle);
}

void ServeHost::takeRemotePutt(double force, double angle) {
    logPutt(force, angle);
    if (flow_.startPutt(force, angle)) {
        roll(force, angle);
    } else {
        // A putt the flow does not expect moves no ball here; still report this computer
        // as stopped, or every other computer would wait for it forever.
        net_.localBallStopped();
    }
}

void ServeHost::roll(double force, double angle) {
    Player* player = flow_.currentPlayer();
    StopRecorder owner;
    if (player != nullptr) {
        Ball& ball = player->GetBall();
        ball.SetSpeedMode(Fastest);
        ball.PuttNow(force, angle, &owner, Fastest);
    }
    flow_.ballStopped(owner.inCup);
    net_.localBallStopped();
}

void ServeHost::logPutt(double force, double angle) {
    log_.line("putt " + formatFixed6(force) + " " + formatFixed6(angle));
}

}  // namespace trundlex::tool
