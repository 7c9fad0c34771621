#pragma once
// The handling of received messages by one side of a network game, without sockets: the
// fuzzer's bytes arrive on a connection whose sends go nowhere. The first byte picks the
// phase the game is in; the rest is the byte stream from the peer.
#include "FuzzSupport.h"
#include "library/LevelLibrary.h"
#include "net/NetNotifier.h"
#include "net/NetProtocol.h"
#include "net/NetRole.h"
#include "net/NetSession.h"
#include "play/Match.h"

namespace trundlex::fuzz {

template <typename Role>
int feedRole(const std::uint8_t* data, std::size_t size, bool server) {
    std::string_view input = bytesOf(data, size);
    const auto phase = take<std::uint8_t>(input);

    static LevelLibrary library("/nonexistent-trundlex-folder");
    static const bool filled = [] {
        Level level(4, 3, "Hole");
        level.setId("h1");
        library.add(level);
        return true;
    }();
    (void)filled;
    NetNotifier notifier;
    NetSession session(library, notifier);
    Match match;
    match.AddPlayer("Here", 0xff, 1, false, Player::LocalConnection);
    match.AddLevel("h1");
    session.setMatch(&match);
    session.resetForNewGame(server);
    Role role(session);
    auto connection = session.addConnection(Socket(), server ? "192.0.2.1" : "");
    FUZZ_CHECK(connection != nullptr);
    if (server) {
        match.AddPlayer("There", 0xff00, 2, false, connection->id());
    }
    role.greet(*connection);
    session.lobbyClosed = (phase & 1) != 0;
    session.startPending = (phase & 2) != 0;
    connection->started = (phase & 4) != 0;
    session.puttPending = (phase & 8) != 0;

    MessageFramer framer(netproto::MaxPendingBytes);
    if (!framer.append(input)) {
        return 0;
    }
    NetMessage message;
    while (framer.next(message) && session.isListed(*connection)) {
        if (role.dispatch(*connection, message) == DispatchResult::Close) {
            role.reportLoss(*connection);
            session.connectionClosed(connection->id());
        }
        FUZZ_CHECK(match.PlayerCount() <= netproto::MaxPlayers + 1);
        FUZZ_CHECK(match.LevelCount() <= netproto::MaxLevels + 1);
        FUZZ_CHECK(session.receivedLevelBytes <= netproto::MaxLevelBytesPerGame + size);
    }
    return 0;
}

}  // namespace trundlex::fuzz
