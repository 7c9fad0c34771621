#pragma once
// The dedicated host's part in a network game (trundlex-tool serve).
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "EventLog.h"
#include "level/Level.h"
#include "net/NetGame.h"
#include "play/MatchFlow.h"
#include "util/RandomSource.h"

namespace trundlex::tool {

// The host's part in the game: it hears every network event on the delivery thread and
// reacts right there under NetGame's lock, following the match with the same flow as every
// other computer so that it knows whose turn it is. Rolls and the inherited players'
// thinking run with the lock released, so the I/O thread goes on meanwhile (no other
// event is delivered until this one's call returns, so the flow and the balls stay this
// thread's). It also stands in for the lobby dialog.
// The main thread is woken through `wake` (called from any thread; it must return quickly)
// whenever it may have to start the game (tryStart) or open a new lobby (takeLobbyRequest).
class ServeHost : public NetListener, public NetLobby {
public:
    ServeHost(NetGame& net, Match& match, const LevelLibrary& library, EventLog& log, int startWhen,
              std::function<void()> wake);
    // A room of a room host starts only once its creator has asked for it ("Y"), besides the
    // clients being ready.
    void requireStartRequest() { startRequestNeeded_ = true; }
    // Chat lines are logged with their words (by default only who spoke).
    void logChatText(bool on) { logChat_ = on; }
    // A room's game stays as it stands when its last client goes while players may come back
    // (NetGame::seatsWaiting), instead of ending; it goes on when one does.
    void keepGameForReturns() { keepForReturns_ = true; }

    void onNetEvent(NetEvent event) override;

    using Lock = NetGame::Lock;

    void onLobbyStatus(const LobbyStatus&) override {}
    void onLobbyStartEnabled(bool) override { wakeMain(); }
    void onLobbyChanged() override;
    void onLobbyClosedByNetwork() override {}

    // Main thread: true once after the last client has left a game; the host then listens
    // for a new one.
    bool takeLobbyRequest() { return lobbyWanted_.exchange(false); }
    // Main thread: runs the start handshake once the clients the host waits for are ready.
    void tryStart();

protected:
    // Each step of a roll this host runs, on the delivery thread with NetGame's lock
    // released; nothing by default. A watcher can hold a roll halfway to see what goes on
    // meanwhile.
    virtual void rollStep() {}

private:
    void wakeMain();
    // Goes on from a step of the flow: announces holes and the end, and putts for the players
    // this computer plays. The next turn then waits for everyone's stop (NetAllStopped).
    void follow(FlowStep step, Lock& lock);
    void announceOver();
    void putForInheritedPlayer(Player& player, Lock& lock);
    void takeRemotePutt(double force, double angle, Lock& lock);
    // Runs the current player's putt to its end on this thread, as every other computer
    // runs it, with `lock` released meanwhile, and reports the stop.
    void roll(double force, double angle, Lock& lock);
    void logDisconnection(const NetEventData& data);
    void logPutt(double force, double angle);

    NetGame& net_;
    Match& match_;
    EventLog& log_;
    const int startWhen_;
    const std::function<void()> wake_;
    bool startRequestNeeded_ = false;
    bool logChat_ = false;
    bool keepForReturns_ = false;
    Level level_;
    MatchFlow flow_;
    bool overAnnounced_ = false;
    // The errors of the inherited players' putts.
    SeededRandom random_ = SeededRandom::fromClock();
    std::atomic<bool> lobbyWanted_{false};
    // Delivery thread only: what has been printed about the lobby.
    std::set<std::int32_t> connected_;
    std::set<std::int32_t> ready_;
    std::map<std::string, int> announced_;
};

}  // namespace trundlex::tool
