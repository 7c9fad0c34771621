// trundlex-tool serve: a dedicated network host without players of its own.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "Commands.h"
#include "ball/Ball.h"
#include "level/Level.h"
#include "library/Course.h"
#include "library/LevelLibrary.h"
#include "net/NetGame.h"
#include "play/Match.h"
#include "play/MatchFlow.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

// The write end of the self-pipe. A signal handler can reach nothing but a global; it only
// ever writes one byte here, everything else happens on the main thread.
std::atomic<int> gSignalPipe{-1};

extern "C" void onStopSignal(int) {
    const int saved = errno;
    const int fd = gSignalPipe.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

// One line per event on standard output, flushed at once so that a process reading the
// host's output sees each event as it happens. Lines come from the main and the delivery
// thread.
class EventLog {
public:
    explicit EventLog(std::ostream& out) : out_(out) {}
    void line(const std::string& text) {
        std::lock_guard lock(mutex_);
        out_ << text << '\n' << std::flush;
    }

private:
    std::mutex mutex_;
    std::ostream& out_;
};

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

// The host's part in the game: it hears every network event on the delivery thread and
// reacts right there under NetGame's lock, following the match with the same flow as every
// other computer so that it knows whose turn it is. It also stands in for the lobby dialog.
class ServeHost : public NetListener, public NetLobby {
public:
    ServeHost(NetGame& net, Match& match, const LevelLibrary& library, EventLog& log, int startWhen,
              int wakeFd)
        : net_(net),
          match_(match),
          log_(log),
          startWhen_(startWhen),
          wakeFd_(wakeFd),
          flow_(match, library, level_) {}

    void onNetEvent(NetEvent event) override {
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
                match_.RemovePlayersOf(Player::LocalConnection);
                flow_.restart(false);
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

    void onLobbyStatus(const LobbyStatus&) override {}
    void onLobbyStartEnabled(bool) override { wakeMain(); }
    void onLobbyChanged() override {
        const LobbySnapshot snapshot = net_.lobbySnapshot();
        for (const LobbyComputer& computer : snapshot.computers) {
            if (connected_.insert(computer.connection).second) {
                log_.line("connected " + computer.address);
            }
            if (computer.status == ComputerStatus::Ready &&
                ready_.insert(computer.connection).second) {
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
    void onLobbyClosedByNetwork() override {}

    // Main thread: true once after the last client has left a game; the host then listens
    // for a new one.
    bool takeLobbyRequest() { return lobbyWanted_.exchange(false); }

    // Main thread: runs the start handshake once the clients the host waits for are ready.
    void tryStart() {
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

private:
    void wakeMain() {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &byte, 1);
    }

    // Goes on from a step of the flow: announces holes and the end, and putts for the players
    // this computer plays. The next turn then waits for everyone's stop (NetAllStopped).
    void follow(FlowStep step) {
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

    void announceOver() {
        if (!overAnnounced_) {
            overAnnounced_ = true;
            log_.line("over");
        }
    }

    void putForInheritedPlayer(Player& player) {
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

    void takeRemotePutt(double force, double angle) {
        logPutt(force, angle);
        if (flow_.startPutt(force, angle)) {
            roll(force, angle);
        } else {
            // A putt the flow does not expect moves no ball here; still report this computer
            // as stopped, or every other computer would wait for it forever.
            net_.localBallStopped();
        }
    }

    // Runs the current player's putt to its end on this thread, as every other computer
    // runs it, and reports the stop.
    void roll(double force, double angle) {
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

    void logPutt(double force, double angle) {
        log_.line("putt " + formatFixed6(force) + " " + formatFixed6(angle));
    }

    NetGame& net_;
    Match& match_;
    EventLog& log_;
    const int startWhen_;
    const int wakeFd_;
    Level level_;
    MatchFlow flow_;
    bool overAnnounced_ = false;
    std::atomic<bool> lobbyWanted_{false};
    // Delivery thread only: what has been printed about the lobby.
    std::set<std::int32_t> connected_;
    std::set<std::int32_t> ready_;
    std::map<std::string, int> announced_;
};

constexpr const char* kUsage =
    "usage: trundlex-tool serve [--port P] [--levels DIR] (--course FILE.cou | LEVEL.lev ...) "
    "[--start-when N]\n"
    "  When the last client leaves a game, or after its end, the host opens a new lobby on the "
    "same port;\n  SIGINT or SIGTERM end it.\n";

bool parseWhole(const std::string& text, long low, long high, long& value) {
    long parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || parsed < low ||
        parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

std::string programLevelsFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("levels") : (exe.parent_path() / "levels").string();
}

struct ServeOptions {
    long port = 49732;
    std::string levelsDir;
    std::string course;
    std::vector<std::string> levelFiles;
    long startWhen = 0;
};

int parseOptions(std::span<const std::string> args, ServeOptions& options, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--port" && hasValue) {
            if (!parseWhole(args[++i], 0, 65535, options.port)) {
                err << "--port takes a number from 0 to 65535\n" << kUsage;
                return 2;
            }
        } else if (a == "--levels" && hasValue) {
            options.levelsDir = args[++i];
        } else if (a == "--course" && hasValue) {
            options.course = args[++i];
        } else if (a == "--start-when" && hasValue) {
            if (!parseWhole(args[++i], 1, 1000, options.startWhen)) {
                err << "--start-when takes a number of clients from 1 to 1000\n" << kUsage;
                return 2;
            }
        } else if (!a.starts_with("--")) {
            options.levelFiles.push_back(a);
        } else {
            err << "unexpected argument: " << a << "\n" << kUsage;
            return 2;
        }
    }
    if (options.course.empty() == options.levelFiles.empty()) {
        err << "give either --course FILE.cou or level files\n" << kUsage;
        return 2;
    }
    return 0;
}

// Fills the library and the match's hole list. 0, or 1 after telling why.
int loadLevels(const ServeOptions& options, LevelLibrary& library, Match& match,
               std::ostream& err) {
    if (!options.course.empty()) {
        library.scanFolder(options.levelsDir.empty() ? programLevelsFolder() : options.levelsDir,
                           true);
        Course course;
        if (!course.load(options.course)) {
            err << options.course << ": cannot be read as a course file\n";
            return 1;
        }
        for (int i = 0; i < course.levelCount(); ++i) {
            if (library.findById(course.levelId(i)) < 0) {
                err << options.course << ": level " << course.levelId(i)
                    << " is not in the levels folder\n";
                return 1;
            }
            match.AddLevel(course.levelId(i));
        }
        // Set last: every change of the hole list empties the name.
        match.SetName(course.id());
    } else {
        if (!options.levelsDir.empty()) {
            library.scanFolder(options.levelsDir, true);
        }
        for (const std::string& path : options.levelFiles) {
            std::error_code error;
            if (!std::filesystem::is_regular_file(path, error)) {
                err << path << ": no such level file\n";
                return 1;
            }
            Level level;
            if (!level.loadFromFile(path) || level.id().empty()) {
                err << path << ": cannot be read as a level file with an ID\n";
                return 1;
            }
            if (library.isAcceptable(level)) {
                library.add(level);
            }
            match.AddLevel(level.id());
        }
    }
    if (match.LevelCount() == 0) {
        err << "the course has no levels\n";
        return 1;
    }
    library.sort();
    return 0;
}

int serve(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    ServeOptions options;
    if (const int usage = parseOptions(args, options, err); usage != 0) {
        return usage;
    }
    LevelLibrary library("");
    Match match;
    if (const int failed = loadLevels(options, library, match, err); failed != 0) {
        return failed;
    }

    // Separate pipes, so that a flood of lobby wake-ups can never crowd out a stop signal.
    int pipeFds[2];
    int wakeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        err << "cannot create a pipe\n";
        return 1;
    }
    if (::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        err << "cannot create a pipe\n";
        return 1;
    }
    gSignalPipe.store(pipeFds[1]);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    struct sigaction oldInt {
    }, oldTerm{};
    ::sigaction(SIGINT, &action, &oldInt);
    ::sigaction(SIGTERM, &action, &oldTerm);

    EventLog log(out);
    int result = 0;
    {
        auto net = std::make_unique<NetGame>(library);
        ServeHost host(*net, match, library, log, static_cast<int>(options.startWhen), wakeFds[1]);
        {
            auto lock = net->lock();
            match.SetSoundForAllBalls(false);
        }
        net->setMatch(&match);
        net->addListener(&host);
        if (!net->startServer(static_cast<std::uint16_t>(options.port), &host)) {
            err << "cannot listen on port " << options.port << "\n";
            result = 1;
        } else {
            // A new lobby listens on the same port, so clients find the host again.
            const std::uint16_t port = net->listeningPort();
            log.line("listening " + std::to_string(port));
            for (;;) {
                pollfd wait[2] = {{pipeFds[0], POLLIN, 0}, {wakeFds[0], POLLIN, 0}};
                if (::poll(wait, 2, -1) < 0 && errno != EINTR) {
                    break;
                }
                char bytes[256];
                if (::read(pipeFds[0], bytes, sizeof bytes) > 0) {
                    break;
                }
                while (::read(wakeFds[0], bytes, sizeof bytes) > 0) {
                }
                if (host.takeLobbyRequest()) {
                    if (!net->startServer(port, &host)) {
                        err << "cannot listen on port " << port << " again\n";
                        result = 1;
                        break;
                    }
                    log.line("listening " + std::to_string(port));
                }
                host.tryStart();
            }
        }
        // Ends every connection and waits for the network threads while the host, which a
        // delivery in progress may still be calling, is alive.
        net->clearListeners();
        net->detachLobby();
        net->endGame();
        net.reset();
    }
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    gSignalPipe.store(-1);
    for (int fd : {pipeFds[0], pipeFds[1], wakeFds[0], wakeFds[1]}) {
        ::close(fd);
    }
    return result;
}

}  // namespace

std::vector<Command> serveCommands() {
    return {{"serve",
             "serve [--port P] [--levels DIR] (--course FILE.cou | LEVEL.lev ...) [--start-when N]",
             "Host a network game without players of its own: offer the levels, relay putts, "
             "aims and chat, and print one line per event until SIGINT or SIGTERM (exit 0). "
             "When the last client leaves, during a game or after its end, the game ends "
             "(\"over\") and the host listens on the same port for a new one.",
             serve}};
}

}  // namespace trundlex::tool
