#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <ranges>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "library/LevelLibrary.h"
#include "net/MessageFramer.h"
#include "net/NetGame.h"
#include "net/NetProtocol.h"
#include "net/Socket.h"
#include "net/TcpListener.h"
#include "play/Match.h"
#include "support/AsciiLevel.h"
#include "support/BlockedThread.h"

namespace trundlex::testing {

using namespace std::chrono_literals;

// Every wait of these tests ends after this, so a fault shows as a failure, not a hang.
inline constexpr std::chrono::milliseconds Patience = 5s;
// How long to watch for something that must not happen.
inline constexpr std::chrono::milliseconds Quiet = 150ms;
inline const std::string Loopback = "127.0.0.1";

// One event as a listener saw it, with the values it read back during the call.
struct SeenEvent {
    NetEvent event;
    NetEventData data;
};

// A listener window stand-in: records every event with its data, lets a test wait for
// events, and can react during an event the way a view would (`reaction`).
class RecordingListener : public NetListener {
public:
    void attach(NetGame& net) { net_ = &net; }

    void onNetEvent(NetEvent event) override {
        std::function<void(NetEvent)> reaction;
        {
            std::lock_guard lock(mutex_);
            events_.push_back({event, net_->eventData()});
            reaction = reaction_;
        }
        if (reaction) {
            reaction(event);
        }
        changed_.notify_all();
    }
    void setReaction(std::function<void(NetEvent)> reaction) {
        std::lock_guard lock(mutex_);
        reaction_ = std::move(reaction);
    }

    // Waits until `count` events of this kind have been seen; the last one of them. With a
    // short `patience`, a check that something does not happen.
    std::optional<SeenEvent> waitFor(NetEvent event, int count = 1,
                                     std::chrono::milliseconds patience = Patience) {
        std::unique_lock lock(mutex_);
        std::optional<SeenEvent> found;
        changed_.wait_for(lock, patience, [&] {
            int seen = 0;
            for (const SeenEvent& e : events_) {
                if (e.event == event && ++seen == count) {
                    found = e;
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    // The data of the `count`th event of this kind, waited for; empty data (and a failure)
    // when it does not come.
    NetEventData dataOf(NetEvent event, int count = 1) {
        const auto seen = waitFor(event, count);
        EXPECT_TRUE(seen) << "event " << event << " number " << count << " did not come";
        return seen ? seen->data : NetEventData{};
    }
    int count(NetEvent event) const {
        return static_cast<int>(std::ranges::count(sequence(), event));
    }
    std::vector<NetEvent> sequence() const {
        std::lock_guard lock(mutex_);
        // A plain loop: clang 14 cannot compile libstdc++ 12's range views.
        std::vector<NetEvent> codes;
        for (const SeenEvent& e : events_) {
            codes.push_back(e.event);
        }
        return codes;
    }

private:
    NetGame* net_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SeenEvent> events_;
    std::function<void(NetEvent)> reaction_;
};

// What a lobby dialog shows.
struct LobbyView {
    std::vector<LobbyStatus> statuses;
    bool startEnabled = false;
    bool closed = false;
    LobbySnapshot snapshot;  // read at the last change
};

// A lobby dialog stand-in: records what it is told and lets a test wait for it.
class RecordingLobby : public NetLobby {
public:
    void attach(NetGame& net) { net_ = &net; }
    // Forgets what an earlier lobby showed.
    void reset() {
        record([](LobbyView& v) { v = {}; });
    }

    void onLobbyStatus(const LobbyStatus& status) override {
        record([&](LobbyView& v) { v.statuses.push_back(status); });
    }
    void onLobbyStartEnabled(bool enabled) override {
        record([&](LobbyView& v) { v.startEnabled = enabled; });
    }
    void onLobbyChanged() override {
        LobbySnapshot snapshot = net_->lobbySnapshot();
        record([&](LobbyView& v) { v.snapshot = std::move(snapshot); });
    }
    void onLobbyClosedByNetwork() override {
        record([](LobbyView& v) { v.closed = true; });
    }

    // Waits until `condition` holds for what the lobby shows.
    bool waitUntil(const std::function<bool(const LobbyView&)>& condition) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, Patience, [&] { return condition(view_); });
    }
    // Waits until a status line with this text has been shown; its last such line.
    std::optional<LobbyStatus> waitForStatus(LobbyText text) {
        std::optional<LobbyStatus> found;
        waitUntil([&](const LobbyView& v) {
            for (const LobbyStatus& status : v.statuses) {
                found = status.text == text ? status : found;
            }
            return found.has_value();
        });
        return found;
    }
    LobbyView view() const {
        std::lock_guard lock(mutex_);
        return view_;
    }

private:
    template <typename Change>
    void record(Change change) {
        {
            std::lock_guard lock(mutex_);
            change(view_);
        }
        changed_.notify_all();
    }

    NetGame* net_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    LobbyView view_;
};

// A level for the libraries: open grass with a cup, named after its ID.
inline Level testLevel(std::string_view id) {
    Level level = asciiLevel({"#######", "#..O..#", "#.....#", "#######"});
    level.setId(id);
    level.setName(std::string("Hole ") + std::string(id));
    level.setStart(1.5, 2.5);
    return level;
}

// One computer of a network game: a level library, a match and the network object, with a
// recording listener and lobby. The listener and lobby are declared first, so the network
// object (and its threads) is gone before them.
struct Computer {
    explicit Computer(const std::vector<std::string>& players = {}) {
        for (const std::string& name : players) {
            match.AddPlayer(name, 0x00FF00, 1, false, Player::LocalConnection);
        }
        net.setMatch(&match);
        listener.attach(net);
        lobby.attach(net);
        net.addListener(&listener);
    }
    // Puts levels into the library (and with `intoMatch` into the match's level list).
    void addLevels(const std::vector<std::string>& ids, bool intoMatch) {
        auto lock = net.lock();
        for (const std::string& id : ids) {
            library.add(testLevel(id));
            if (intoMatch) {
                match.AddLevel(id);
            }
        }
    }
    // Listens on a free loopback port; the port.
    std::uint16_t serve() {
        lobby.reset();
        EXPECT_TRUE(net.startServer(0, &lobby, Loopback));
        return net.listeningPort();
    }
    void join(std::uint16_t port) {
        lobby.reset();
        EXPECT_TRUE(net.startClient(Loopback, port, &lobby));
    }
    // The match's player names, " *" marking this computer's, read under the lock.
    std::vector<std::string> playerNames() {
        auto lock = net.lock();
        std::vector<std::string> names;
        for (std::int32_t i = 0; i < match.PlayerCount(); ++i) {
            const Player& p = *match.GetPlayer(i);
            names.push_back(p.GetName() + (p.IsLocalPlayer() ? " *" : ""));
        }
        return names;
    }

    RecordingListener listener;
    RecordingLobby lobby;
    LevelLibrary library{"/nonexistent-trundlex-folder"};
    Match match;
    NetGame net{library};
};

// A peer that speaks the wire format by hand, for feeding a NetGame exactly the bytes a test
// needs (hostile ones included) and reading exactly what it sends.
class RawPeer {
public:
    RawPeer() = default;
    explicit RawPeer(Socket socket) : socket_(std::move(socket)) {}

    // Connects to a NetGame server on the loopback address.
    bool connect(std::uint16_t port) {
        WakePipe never;
        return socket_.connectTo(Loopback, port, never, Patience) == ConnectResult::Connected;
    }
    void send(std::string_view message) { sendRaw(std::string(message) += netproto::Terminator); }
    void sendEach(std::initializer_list<std::string> messages) {
        for (const std::string& message : messages) {
            send(message);
        }
    }
    void sendRaw(std::string_view bytes) { EXPECT_TRUE(trySendRaw(bytes)); }
    // For floods: false once the other side has closed the connection.
    bool trySendRaw(std::string_view bytes) { return socket_.sendAll(bytes, Patience); }

    // The next message, or none when nothing complete arrives in time or the peer closed.
    std::optional<NetMessage> receive(std::chrono::milliseconds patience = Patience) {
        NetMessage message;
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!framer_.next(message)) {
            if (closed_ || !waitReadable(deadline)) {
                return std::nullopt;
            }
            char buffer[4096];
            const long got = socket_.receive(buffer, sizeof buffer);
            if (got <= 0) {
                closed_ = true;
                return std::nullopt;
            }
            framer_.append(std::string_view(buffer, static_cast<std::size_t>(got)));
        }
        return message;
    }
    // Checks that the next message is exactly this one.
    void expectNext(char letter, std::string_view body) {
        const auto message = receive();
        ASSERT_TRUE(message) << "no message " << letter;
        EXPECT_EQ(message->letter + message->body, letter + std::string(body));
    }
    // Skips messages until one with this letter arrives; its body, or none.
    std::optional<std::string> expect(char letter) {
        while (auto message = receive()) {
            if (message->letter == letter) {
                return message->body;
            }
        }
        return std::nullopt;
    }
    // Every letter that arrives within `patience`.
    std::string lettersWithin(std::chrono::milliseconds patience) {
        std::string letters;
        while (auto message = receive(patience)) {
            letters += message->letter;
        }
        return letters;
    }
    // True when the other side closes the connection in time (messages before are skipped).
    bool closedByPeer() {
        while (receive()) {
        }
        return closed_;
    }
    void close() { socket_ = Socket(); }

private:
    bool waitReadable(std::chrono::steady_clock::time_point deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        return left.count() > 0 && socket_.waitReadable(left);
    }

    Socket socket_;
    MessageFramer framer_{64u << 20};
    bool closed_ = false;
};

// A server made by hand on a free loopback port, for a NetGame client to connect to.
class RawServer {
public:
    RawServer() { EXPECT_TRUE(listener_.open(Loopback, 0)); }
    std::uint16_t port() const { return listener_.port(); }
    // The next client (waits at most Patience, then stops the listener).
    RawPeer accept() {
        Socket socket;
        std::string address;
        auto accepted =
            std::async(std::launch::async, [&] { return listener_.accept(socket, address); });
        if (accepted.wait_for(Patience) != std::future_status::ready) {
            listener_.stop();
        }
        EXPECT_TRUE(accepted.get()) << "no client connected";
        return RawPeer(std::move(socket));
    }

private:
    TcpListener listener_;
};

}  // namespace trundlex::testing
