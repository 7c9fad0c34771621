#include "OnlineMatch.h"

#include "MatchRig.h"
#include "PageJson.h"
#include "net/NetGame.h"
#include "net/NetProtocol.h"
#include "net/RoomClient.h"

namespace trundlex::web {

namespace {

// The host's words for a refusal as the page's key for its own text.
const char* refusalKey(roomproto::Refusal refusal) {
    switch (refusal) {
        case roomproto::Refusal::NoSuchRoom:
            return "noSuchRoom";
        case roomproto::Refusal::Started:
            return "started";
        case roomproto::Refusal::Full:
            return "full";
        case roomproto::Refusal::NoSuchCourse:
            return "noSuchCourse";
        case roomproto::Refusal::NoFreeRoom:
            return "noFreeRoom";
        case roomproto::Refusal::CodeNeeded:
            return "codeNeeded";
        case roomproto::Refusal::TooManyAttempts:
            return "tooManyAttempts";
        case roomproto::Refusal::TooManyRooms:
            return "tooManyRooms";
        case roomproto::Refusal::TooManyConnections:
            return "tooManyConnections";
        case roomproto::Refusal::Removed:
            return "removed";
        case roomproto::Refusal::NoSeat:
            return "noSeat";
    }
    return "other";
}

const char* problemKey(netproto::TextProblem problem) {
    switch (problem) {
        case netproto::TextProblem::None:
            return "";
        case netproto::TextProblem::Empty:
            return "empty";
        case netproto::TextProblem::Separator:
            return "separator";
        case netproto::TextProblem::Terminator:
            return "badCharacter";
        case netproto::TextProblem::TooLong:
            return "tooLong";
    }
    return "other";
}

std::string statusJson(const LobbyStatus& status) {
    const auto field = [](const char* name, const std::string& value) {
        return std::string(",\"") + name + "\":" + jsonString(value);
    };
    switch (status.text) {
        case LobbyText::CantStartServer:
            return "{\"text\":\"cantStartServer\"}";
        case LobbyText::CouldntConnect:
            return "{\"text\":\"couldntConnect\"}";
        case LobbyText::ConnectionOpen:
            return "{\"text\":\"connectionOpen\"}";
        case LobbyText::TransferLevels:
            return "{\"text\":\"transferLevels\",\"count\":" + std::to_string(status.count) + "}";
        case LobbyText::WaitingForStart:
            return "{\"text\":\"waitingForStart\"}";
        case LobbyText::ClientDisconnected:
            return "{\"text\":\"disconnected\"" + field("names", status.first) + "}";
        case LobbyText::ConnectionInterrupted:
            return "{\"text\":\"interrupted\"}";
        case LobbyText::IllegalVersion:
            return "{\"text\":\"otherVersion\"" + field("host", status.first) +
                   field("mine", status.second) + "}";
        case LobbyText::RoomRefused: {
            const std::optional<KnownRefusal> known = readRefusal(status.first);
            return std::string("{\"text\":\"refused\",\"refusal\":\"") +
                   (known ? refusalKey(known->refusal) : "other") + "\"" +
                   field("subject", known ? known->subject : std::string()) +
                   field("reason", status.first) + "}";
        }
        case LobbyText::NotARoomHost:
            return "{\"text\":\"notARoomHost\"}";
    }
    return "{\"text\":\"\"}";
}

std::string chatJson(const std::string& name, const std::string& text, bool mine) {
    return "chat {\"name\":" + jsonString(name) + ",\"text\":" + jsonString(text) +
           ",\"mine\":" + (mine ? "true" : "false") + "}";
}

}  // namespace

OnlineMatch::OnlineMatch(std::uint32_t seed) : PlayedMatch(seed) {}

OnlineMatch::~OnlineMatch() {
    // The controller's network game ends its connection as it goes, which calls this object
    // back as the carrier: it goes while this object is whole.
    if (rig_->hasController()) {
        net().clearListeners();
        net().detachLobby();
    }
    rig_->controller.reset();
}

NetGame& OnlineMatch::net() {
    return rig_->controller->net();
}

bool OnlineMatch::addPerson(std::string_view name) {
    const std::int32_t count = rig_->setup.PlayerCount();
    if (asked_ || count >= MaxPeople || netproto::checkName(name) != netproto::TextProblem::None) {
        return false;
    }
    for (std::int32_t p = 0; p < count; ++p) {
        if (rig_->setup.GetPlayer(p)->GetName() == name) {
            return false;
        }
    }
    rig_->setup.AddPlayer(name, kPlayerColours[count], 0, false, Player::LocalConnection);
    return true;
}

bool OnlineMatch::setPars(std::string_view table) {
    return !asked_ && rig_->takePars(table);
}

bool OnlineMatch::createRoom(std::string_view course) {
    roomproto::Request request;
    request.kind = roomproto::Request::Kind::Create;
    request.course = std::string(course);
    return ask(request);
}

bool OnlineMatch::joinRoom(std::string_view code) {
    roomproto::Request request;
    request.kind = roomproto::Request::Kind::Join;
    request.code = roomproto::normaliseCode(code);
    return !request.code.empty() && ask(request);
}

bool OnlineMatch::rejoinRoom(std::string_view code, std::string_view token) {
    roomproto::Request request;
    request.kind = roomproto::Request::Kind::Rejoin;
    request.code = roomproto::normaliseCode(code);
    request.token = std::string(token);
    return !request.code.empty() && roomproto::isToken(request.token) && ask(request);
}

bool OnlineMatch::ask(const roomproto::Request& request) {
    MatchRig& g = *rig_;
    if (asked_ || g.setup.PlayerCount() == 0 || roomRequestBody(request).empty()) {
        return false;
    }
    asked_ = true;
    // (A friend whose computer leaves is played by the context's stand-in, a medium computer,
    // so that nobody waits for them.)
    g.makeController(this);
    g.controller->prepareNetworkGame(g.setup, 3);
    // The controller hears every event first; this object tells the page after it.
    net().addListener(this);
    // The page goes to its own host, which carries the game for it: no name or port here.
    net().startRoomClient("page", 0, request, this);
    settle();
    return true;
}

void OnlineMatch::settle() {
    if (rig_->hasController()) {
        net().pollCarrier();
        net().deliverPosted();
    }
}

// --- The page's connection ---

void OnlineMatch::open(const std::string&, std::uint16_t) {
    link_ = Link::Opening;
    closeWanted_ = false;
    rig_->recorder.note("lobby");
}

void OnlineMatch::send(std::string_view bytes) {
    outgoing_ += bytes;
}

void OnlineMatch::close() {
    closeWanted_ = true;
}

void OnlineMatch::opened() {
    if (rig_->hasController() && link_ == Link::Opening) {
        link_ = Link::Open;
        net().carrierOpened();
        settle();
    }
}

void OnlineMatch::received(std::string_view bytes) {
    if (rig_->hasController() && link_ == Link::Open) {
        net().carrierReceived(bytes);
        settle();
    }
}

void OnlineMatch::closed() {
    if (rig_->hasController() && link_ != Link::Closed) {
        link_ = Link::Closed;
        net().carrierClosed();
        settle();
        rig_->recorder.note("lobby");
    }
}

std::string OnlineMatch::takeOutgoing() {
    std::string out;
    out.swap(outgoing_);
    return out;
}

// --- The lobby ---

std::string OnlineMatch::lobbyJson() const {
    const LobbySnapshot snapshot = rig_->hasController() ? rig_->controller->net().lobbySnapshot()
                                                         : LobbySnapshot{};
    const bool over = ended_ || closeWanted_ || link_ == Link::Closed;
    const char* phase = !asked_ || link_ == Link::Opening ? "connecting"
                        : over                            ? "ended"
                        : snapshot.roomCode.empty()       ? "asking"
                        : lobbyClosed_                    ? "playing"
                                                          : "lobby";
    const bool inLobby = std::string_view(phase) == "lobby";
    std::string out = std::string("{\"phase\":\"") + phase + "\",\"code\":" +
                      jsonString(snapshot.roomCode) + ",\"course\":" +
                      jsonString(snapshot.roomCourse) +
                      ",\"creator\":" + (snapshot.roomCreator ? "true" : "false") +
                      ",\"token\":" + jsonString(snapshot.roomToken) + ",\"players\":[";
    bool first = true;
    for (const LobbyPlayer& player : snapshot.players) {
        out += std::string(first ? "" : ",") + "{\"name\":" + jsonString(player.name) +
               ",\"colour\":" + std::to_string(player.style.colour) +
               ",\"pattern\":" + std::to_string(player.style.pattern) +
               ",\"here\":" + (player.local ? "true" : "false") +
               ",\"computer\":" + (player.computer ? "true" : "false") +
               ",\"creator\":" + (player.creator ? "true" : "false") + "}";
        first = false;
    }
    out += std::string("],\"canStart\":") +
           (inLobby && snapshot.roomCreator && !startAsked_ ? "true" : "false") +
           ",\"status\":" + (hasStatus_ ? statusJson(status_) : "{\"text\":\"\"}") + "}";
    return out;
}

bool OnlineMatch::startGame() {
    if (!rig_->hasController() || startAsked_ || !net().askRoomStart()) {
        return false;
    }
    startAsked_ = true;
    rig_->recorder.note("lobby");
    settle();
    return true;
}

bool OnlineMatch::addComputer(std::string_view name, ComputerStrength strength) {
    if (!rig_->hasController() || startAsked_ || strength == ComputerStrength::Person) {
        return false;
    }
    const LobbySnapshot snapshot = net().lobbySnapshot();
    if (!snapshot.roomCreator) {
        return false;
    }
    const std::int32_t count = snapshot.playerCount;
    // Grey balls, a shade darker for each, so that they are told apart from people's.
    const auto shade = static_cast<std::uint32_t>(0xB0 - 0x10 * (count % 6));
    const bool added = net().addComputerPlayer(name, shade * 0x010101u, strength);
    settle();
    return added;
}

bool OnlineMatch::removePlayer(std::string_view name) {
    if (!rig_->hasController() || startAsked_) {
        return false;
    }
    const bool asked = net().askRoomRemove(std::string(name));
    settle();
    return asked;
}

std::string OnlineMatch::sendChat(std::string_view text) {
    if (!rig_->hasController() || rig_->setup.PlayerCount() == 0) {
        return "notConnected";
    }
    const std::string name = rig_->setup.GetPlayer(0)->GetName();
    if (text.empty()) {
        return "empty";
    }
    if (!net().isConnected()) {
        return "notConnected";
    }
    const netproto::TextProblem problem = net().sendChat(text, name);
    if (problem == netproto::TextProblem::None) {
        // The host sends a line back to everybody but its sender.
        rig_->recorder.note(chatJson(name, netproto::cleanText(text), true));
    }
    settle();
    return problemKey(problem);
}

void OnlineMatch::leave() {
    if (!rig_->hasController()) {
        return;
    }
    net().endGame();
    if (!lobbyClosed_) {
        rig_->controller->lobbyEnded(false);
    }
    ended_ = true;
    settle();
    rig_->recorder.note("lobby");
}

void OnlineMatch::onLobbyStatus(const LobbyStatus& status) {
    status_ = status;
    hasStatus_ = true;
    rig_->recorder.note("lobby");
}

void OnlineMatch::onLobbyChanged() {
    rig_->recorder.note("lobby");
}

void OnlineMatch::onLobbyClosedByNetwork() {
    lobbyClosed_ = true;
    rig_->controller->lobbyEnded(true);
    rig_->recorder.note("started");
    rig_->recorder.note("lobby");
}

void OnlineMatch::onNetEvent(NetEvent event) {
    MatchRecorder& recorder = rig_->recorder;
    const NetEventData data = net().eventData();
    switch (event) {
        case NetChat:
            recorder.note(chatJson(data.chatName, data.chatText, false));
            break;
        case NetDisconnectInfo:
            if (data.serverLost) {
                recorder.note(data.hostStopped ? "hoststopped" : "lost");
            } else if (!data.disconnectNames.empty()) {
                recorder.note("left " + data.disconnectNames);
            }
            if (!data.computerPlaysFor.empty()) {
                recorder.note("computer " + data.computerPlaysFor);
            }
            break;
        case NetPlayersReturned:
            recorder.note("returned " + data.returnedNames);
            break;
        case NetEnded:
            ended_ = true;
            recorder.note("ended");
            recorder.note("lobby");
            break;
        case NetConnectionClosed:
            recorder.note("lobby");
            break;
        default:
            break;
    }
}

}  // namespace trundlex::web
