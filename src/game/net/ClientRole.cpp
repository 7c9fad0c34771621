#include "net/ClientRole.h"

#include <algorithm>

#include "library/LevelLibrary.h"
#include "net/NetProtocol.h"
#include "net/NetSession.h"
#include "net/RoomProtocol.h"
#include "play/Match.h"
#include "util/TextNumbers.h"

namespace trundlex {

namespace {

std::string letter(char type) {
    return std::string(1, type);
}

// The most of a room host's refusal (or version) a lobby shows.
constexpr std::size_t kMaxReasonBytes = 200;

}  // namespace

void ClientRole::greet(Connection& connection) {
    if (session_.room.phase != NetSession::Room::Phase::None) {
        session_.room.phase = NetSession::Room::Phase::AwaitGreeting;
        return;
    }
    greetServer(connection);
}

void ClientRole::greetServer(Connection& connection) {
    if (const Match* match = session_.match()) {
        for (std::int32_t i = 0; i < match->PlayerCount(); ++i) {
            const Player& player = *match->GetPlayer(i);
            const BallStyle& style = player.GetStyle();
            session_.sendTo(connection, letter(netproto::NewPlayer) +
                                            netproto::encodeNewPlayer(
                                                {player.GetName(), style.colour, style.pattern,
                                                 style.transparent},
                                                player.IsComputer()));
        }
    }
    session_.sendTo(connection, letter(netproto::Hello) + std::string(netproto::Version));
}

DispatchResult ClientRole::dispatch(Connection& sender, const NetMessage& message) {
    const std::string_view body = message.body;
    if (session_.room.asking()) {
        return takeRoomStep(sender, message);
    }
    if (session_.handlePlayMessage(sender, message.letter, body)) {
        return DispatchResult::Keep;
    }
    switch (message.letter) {
        case netproto::Hello:
            if (body != netproto::Version) {
                session_.versionStatus =
                    LobbyStatus{LobbyText::IllegalVersion, 0, std::string(body),
                                std::string(netproto::Version)};
                return DispatchResult::Close;
            }
            break;
        case netproto::PlayerList:
            takePlayerList(sender, body);
            break;
        case netproto::LevelCount:
            takeLevelCount(body);
            break;
        case netproto::LevelId:
            takeLevelId(body);
            break;
        case netproto::LevelText:
            if (!takeLevel(body)) {
                return DispatchResult::Close;
            }
            break;
        case netproto::Go:
            takeGo(sender);
            break;
        case netproto::Start:
            takeStart(sender);
            break;
        case roomproto::Letter:
            return takeHostNews(body);
        case netproto::Disconnected:
            session_.data.disconnectText = std::string(body) + " is disconnected.";
            session_.data.disconnectNames = std::string(body);
            session_.data.serverLost = false;
            session_.data.gameAbandoned = false;
            session_.data.hostStopped = false;
            // The server plays them when it said so ("W*" before), or its person does.
            session_.data.computerPlaysFor = netproto::joinNames(session_.takenOver);
            session_.takenOver.clear();
            session_.data.disconnectAddress.clear();
            session_.data.dropReason = DropReason::None;
            session_.notify(NetDisconnectInfo);
            break;
        case netproto::NewPlayer:
        case netproto::LevelRequest:
        case netproto::Ready:
        case netproto::Confirm:
            // Only clients send these; a server has no business asking them of a client.
            break;
        default:
            session_.handleUnrecognised(body);
            break;
    }
    return DispatchResult::Keep;
}

void ClientRole::reportLoss(Connection& connection) {
    session_.data.disconnectText = "You have been disconnected from the server.";
    session_.data.disconnectNames.clear();
    session_.data.serverLost = true;
    // Without its room host a room's game cannot go on: playing on against computer copies
    // of friends who play on elsewhere would only split it in two.
    session_.data.hostStopped = session_.hostStopping;
    session_.data.gameAbandoned =
        session_.hostStopping || session_.room.phase == NetSession::Room::Phase::Joined;
    // Every player of the game but this computer's came through the server.
    session_.data.computerPlaysFor =
        session_.data.gameAbandoned ? std::string() : session_.handedOnLoss(connection.id());
    session_.data.disconnectAddress.clear();
    session_.data.dropReason = DropReason::None;
    session_.lobbyStatus({LobbyText::ConnectionInterrupted, 0, {}, {}});
    session_.notify(NetDisconnectInfo);
    if (session_.versionStatus.has_value()) {
        session_.lobbyStatus(*session_.versionStatus);
    }
}

DispatchResult ClientRole::takeHostNews(std::string_view body) {
    Match* match = session_.match();
    const char what = body.empty() ? '\0' : body.front();
    const std::string_view rest = body.empty() ? body : body.substr(1);
    if (session_.takeSeatNews(body)) {
        return DispatchResult::Keep;
    }
    if (what == roomproto::BecameCreator && session_.room.phase == NetSession::Room::Phase::Joined &&
        !session_.room.creator) {
        session_.room.creator = true;
        session_.lobbyChanged();
        if (session_.readySent && !session_.lobbyClosed) {
            // The lobby's line changes from waiting for the creator to starting the game.
            session_.lobbyStatus({LobbyText::WaitingForStart, 0, {}, {}});
        }
    } else if (what == roomproto::ComputerPlays && match != nullptr) {
        for (std::int32_t i = 0; i < match->PlayerCount(); ++i) {
            Player& player = *match->GetPlayer(i);
            if (!player.IsLocalPlayer() && player.GetName() == rest) {
                player.SetPlayedByPeerComputer(true);
                session_.takenOver.emplace_back(rest);
            }
        }
    } else if (what == roomproto::HostStopping) {
        session_.hostStopping = true;
    } else if (what == '|') {
        // Refused after all (taken out of the lobby): said once the connection has ended.
        session_.versionStatus = LobbyStatus{
            LobbyText::RoomRefused, 0, std::string(rest.substr(0, kMaxReasonBytes)), {}};
    }
    // Anything else is news of a later version: nothing to show.
    return DispatchResult::Keep;
}

DispatchResult ClientRole::takeRoomStep(Connection& sender, const NetMessage& message) {
    using Phase = NetSession::Room::Phase;
    NetSession::Room& room = session_.room;
    const bool greeting = message.letter == netproto::Hello;
    if (room.phase == Phase::AwaitGreeting && greeting && message.body == netproto::Version) {
        room.phase = Phase::AwaitAnswer;
        session_.sendTo(sender, letter(roomproto::Letter) + room.request);
        return DispatchResult::Keep;
    }
    const roomproto::Answer answer =
        room.phase == Phase::AwaitAnswer && message.letter == roomproto::Letter
            ? roomproto::Answer::parse(message.body)
            : roomproto::Answer{};
    switch (answer.kind) {
        case roomproto::Answer::Kind::Room:
            room.phase = Phase::Joined;
            room.code = answer.code;
            room.course = answer.course;
            session_.lobbyChanged();
            greetServer(sender);
            return DispatchResult::Keep;
        case roomproto::Answer::Kind::Refused:
            // A lobby shows one line of it; a hostile host may send far more.
            session_.versionStatus = LobbyStatus{
                LobbyText::RoomRefused, 0, answer.reason.substr(0, kMaxReasonBytes), {}};
            break;
        default:
            session_.versionStatus = greeting && room.phase == Phase::AwaitGreeting
                                         ? LobbyStatus{LobbyText::IllegalVersion, 0,
                                                       message.body.substr(0, kMaxReasonBytes),
                                                       std::string(netproto::Version)}
                                         : LobbyStatus{LobbyText::NotARoomHost, 0, {}, {}};
            break;
    }
    return DispatchResult::Close;
}

void ClientRole::takePlayerList(Connection& sender, std::string_view body) {
    Match* match = session_.match();
    // The player list of a running game never changes: its turn order is shared by all.
    if (session_.lobbyClosed || match == nullptr) {
        return;
    }
    while (match->PlayerCount() > 0) {
        const Player& last = *match->GetPlayer(match->PlayerCount() - 1);
        if (last.IsLocalPlayer()) {
            ownStrengths_.try_emplace(last.GetName(), last.GetComputer());
        }
        match->RemovePlayer(match->PlayerCount() - 1);
    }
    netproto::BodyReader reader(body);
    while (!reader.empty() && match->PlayerCount() < netproto::MaxPlayers) {
        netproto::PlayerRecord record;
        const bool valid = netproto::readPlayerRecord(reader, record);
        const std::int32_t mark = reader.takeInt();
        const bool ours = mark == netproto::playermark::Own;
        if (valid) {
            Player& player =
                match->AddPlayer(record.name, record.colour, record.pattern, record.transparent,
                                 ours ? Player::LocalConnection : sender.id());
            if (!ours) {
                player.SetPeerComputer((mark & netproto::playermark::Computer) != 0);
                player.SetRoomCreators((mark & netproto::playermark::Creator) != 0);
            }
            if (const auto it = ownStrengths_.find(player.GetName());
                ours && it != ownStrengths_.end()) {
                player.SetComputer(it->second);
            }
        }
    }
    session_.lobbyChanged();
}

void ClientRole::takeLevelCount(std::string_view body) {
    const std::int32_t count = parseLeadingInt(body);
    if (session_.lobbyClosed || count < 0 || count > netproto::MaxLevels) {
        return;
    }
    session_.expectedLevelCount = count;
    readyCheck();
}

void ClientRole::takeLevelId(std::string_view levelId) {
    Match* match = session_.match();
    if (session_.lobbyClosed || match == nullptr || levelId.empty() ||
        levelId.size() > netproto::MaxLevelIdBytes) {
        return;
    }
    // No more IDs than announced, so a server cannot grow the list without end.
    const std::int32_t limit =
        session_.expectedLevelCount >= 0 ? session_.expectedLevelCount : netproto::MaxLevels;
    if (match->LevelCount() >= limit) {
        return;
    }
    match->AddLevel(levelId);
    session_.lobbyStatus({LobbyText::TransferLevels, match->LevelCount(), {}, {}});
    if (session_.library().findById(levelId) >= 0) {
        readyCheck();
        return;
    }
    auto& requested = session_.requestedLevels;
    if (std::find(requested.begin(), requested.end(), levelId) == requested.end()) {
        requested.emplace_back(levelId);
        session_.sendToAllExcept(letter(netproto::LevelRequest) + std::string(levelId), -1);
    }
}

bool ClientRole::takeLevel(std::string_view text) {
    if (session_.lobbyClosed) {
        return true;
    }
    session_.receivedLevelBytes += text.size();
    if (session_.receivedLevelBytes > netproto::MaxLevelBytesPerGame) {
        return false;
    }
    Level level;
    // The editor makes nothing larger; a larger level is only ever a way to fill memory.
    if (!level.fromText(text, Level::MaxEditorSide)) {
        return true;
    }
    // Only levels this client asked for join its library, so a server cannot fill it.
    const auto& requested = session_.requestedLevels;
    if (std::find(requested.begin(), requested.end(), level.id()) == requested.end()) {
        return true;
    }
    LevelLibrary& library = session_.library();
    if (library.findById(level.id()) < 0) {
        library.add(level);
        library.sort();
    }
    readyCheck();
    return true;
}

void ClientRole::takeGo(Connection& sender) {
    session_.lobbyClosed = true;
    session_.lobbyClosedByNetwork();
    session_.notify(NetLobbyClosed);
    sender.ready = true;
    sender.started = false;
    // A roll of the abandoned game must not hold up the first putt of the new one.
    session_.setMoving(false);
    session_.puttPending = false;
    session_.startPending = true;
    session_.sendTo(sender, letter(netproto::Confirm));
}

void ClientRole::takeStart(Connection& sender) {
    // Only the answer to this client's "D" starts the game, and only once.
    if (!session_.startPending || sender.started) {
        return;
    }
    sender.started = true;
    session_.startCheck();
}

void ClientRole::readyCheck() {
    const Match* match = session_.match();
    if (session_.readySent || match == nullptr || session_.expectedLevelCount < 0 ||
        session_.expectedLevelCount != match->LevelCount() ||
        !match->AllLevelsAvailable(session_.library())) {
        return;
    }
    session_.readySent = true;
    session_.sendToAllExcept(letter(netproto::Ready), -1);
    session_.lobbyStatus({LobbyText::WaitingForStart, 0, {}, {}});
}

}  // namespace trundlex
