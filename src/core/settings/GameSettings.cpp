#include "settings/GameSettings.h"

#include <algorithm>
#include <charconv>

namespace trundlex {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Adds `address` after the entries already in `list` unless it is there, unfit or the list
// is full.
void appendRecent(std::vector<std::string>& list, std::string_view address) {
    address = trimmed(address);
    if (address.empty() || address.size() > GameSettings::MaxAddressBytes ||
        address.find('\n') != std::string_view::npos ||
        address.find('\0') != std::string_view::npos ||
        list.size() >= GameSettings::MaxRecentAddresses ||
        std::find(list.begin(), list.end(), address) != list.end()) {
        return;
    }
    list.emplace_back(address);
}

bool fitPlayer(const GameSettings::SetupPlayer& player) {
    return !player.name.empty() && player.name.size() <= GameSettings::MaxNameBytes &&
           player.name.find_first_of(std::string_view("\n\r\0", 3)) == std::string::npos &&
           player.strength >= 0 && player.strength <= 3 && player.pattern >= 0;
}

// One player's line: "STRENGTH COLOUR PATTERN TRANSPARENT NAME"; nothing when it is not one.
std::optional<GameSettings::SetupPlayer> playerOfLine(std::string_view line) {
    GameSettings::SetupPlayer player;
    std::int64_t numbers[4] = {};
    for (std::int64_t& number : numbers) {
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (error != std::errc() || end == line.data() + line.size() || *end != ' ') {
            return std::nullopt;
        }
        line.remove_prefix(static_cast<std::size_t>(end - line.data()) + 1);
    }
    if (numbers[1] < 0 || numbers[1] > 0xFFFFFF || numbers[2] < 0 || numbers[2] > 1000 ||
        numbers[3] < 0 || numbers[3] > 1 || numbers[0] < 0 || numbers[0] > 3) {
        return std::nullopt;
    }
    player.strength = static_cast<std::int32_t>(numbers[0]);
    player.colour = static_cast<std::uint32_t>(numbers[1]);
    player.pattern = static_cast<std::int32_t>(numbers[2]);
    player.transparent = numbers[3] != 0;
    player.name = std::string(line);
    if (!fitPlayer(player)) {
        return std::nullopt;
    }
    return player;
}

}  // namespace

void GameSettings::setLastSetup(LastSetup setup) {
    std::vector<SetupPlayer> kept;
    for (SetupPlayer& player : setup.players) {
        if (kept.size() < MaxSetupPlayers && fitPlayer(player) && player.colour <= 0xFFFFFF &&
            player.pattern <= 1000) {
            kept.push_back(std::move(player));
        }
    }
    setup.players = std::move(kept);
    if (setup.mode < 0 || setup.mode > 3) {
        setup.mode = 0;
    }
    if (setup.course.find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos) {
        setup.course.clear();
    }
    setup_ = std::move(setup);
    setupStored_ = true;
}

std::optional<GameSettings::RoomSeat> GameSettings::roomSeat(std::int64_t now,
                                                             std::int64_t maxAgeSeconds) const {
    constexpr std::int64_t kDrift = 60;
    if (seat_.host.empty() || seat_.code.empty() || seat_.token.empty() ||
        seat_.savedAt > now + kDrift || now - seat_.savedAt > maxAgeSeconds) {
        return std::nullopt;
    }
    return seat_;
}

void GameSettings::rememberAddress(std::string_view address) {
    address = trimmed(address);
    address_ = std::string(address);
    std::vector<std::string> list;
    appendRecent(list, address);
    for (const std::string& older : recent_) {
        appendRecent(list, older);
    }
    recent_ = std::move(list);
}

std::string GameSettings::RootPath() const {
    return "Software\\Brackwater Works\\Trundlex";
}

void GameSettings::Exchange(bool load) {
    ExchangeInt(load, count_, "misc", "count", 1, -1);
    ExchangeBool(load, sound_, "misc", "sound");
    ExchangeInt(load, port_, "network", "port", 1, 65535);
    ExchangeString(load, address_, "network", "address");
    ExchangeInt(load, look_, "misc", "look", ClassicLook, ModernLook);
    // Written once turned off (and from then on), as the online host is.
    if (load || ghostStored_ || !ghost_) {
        ExchangeBool(load, ghost_, "misc", "ghost");
        ghostStored_ = ghostStored_ || !load || !ghost_;
    }
    // Written once it differs from the default (and from then on), so that a record of a
    // player who never changed it holds exactly what earlier versions wrote.
    if (load || onlineHostStored_ || onlineHost_ != DefaultOnlineHost) {
        ExchangeString(load, onlineHost_, "network", "online");
        onlineHostStored_ = onlineHostStored_ || !load || onlineHost_ != DefaultOnlineHost;
    }
    if (load || seatStored_ || !seat_.token.empty()) {
        exchangeSeat(load);
    }
    if (load || setupStored_) {
        exchangeSetup(load);
    }
    // Written only once there is something to remember, so a record saved before any game
    // was joined holds exactly what earlier versions wrote.
    if (load || !recent_.empty()) {
        std::string lines;
        for (const std::string& address : recent_) {
            lines += (lines.empty() ? "" : "\n") + address;
        }
        ExchangeString(load, lines, "network", "recent");
        if (load) {
            recent_.clear();
            for (std::size_t at = 0; at <= lines.size();) {
                const std::size_t end = std::min(lines.find('\n', at), lines.size());
                appendRecent(recent_, std::string_view(lines).substr(at, end - at));
                at = end + 1;
            }
        }
    }
}

void GameSettings::exchangeSeat(bool load) {
    // Players a game may have at most: more lines are not names a seat can hold.
    constexpr std::size_t kMaxNames = 8;
    std::string text;
    if (!load) {
        text = seat_.token.empty() ? std::string()
                                   : seat_.host + "\n" + seat_.code + "\n" + seat_.token + "\n" +
                                         std::to_string(seat_.savedAt);
        for (const std::string& name : seat_.token.empty() ? std::vector<std::string>{}
                                                           : seat_.names) {
            text += "\n" + name;
        }
    }
    ExchangeString(load, text, "network", "seat");
    seatStored_ = seatStored_ || !load || !text.empty();
    if (!load) {
        return;
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size() && lines.size() < 4 + kMaxNames;) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.emplace_back(trimmed(std::string_view(text).substr(at, end - at)));
        at = end + 1;
    }
    seat_ = {};
    // Anything but the four fields and names is no seat (a damaged or hand-edited record).
    if (lines.size() < 4 || lines[0].empty() || lines[1].empty() || lines[2].empty() ||
        lines[3].empty() || lines[3].find_first_not_of("0123456789") != std::string::npos ||
        lines[3].size() > 18) {
        return;
    }
    seat_.host = lines[0];
    seat_.code = lines[1];
    seat_.token = lines[2];
    seat_.savedAt = std::stoll(lines[3]);
    for (std::size_t i = 4; i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            seat_.names.push_back(lines[i]);
        }
    }
}

void GameSettings::exchangeSetup(bool load) {
    std::string players;
    if (!load) {
        for (const SetupPlayer& player : setup_.players) {
            players += (players.empty() ? "" : "\n") + std::to_string(player.strength) + " " +
                       std::to_string(player.colour) + " " + std::to_string(player.pattern) +
                       " " + (player.transparent ? "1 " : "0 ") + player.name;
        }
    }
    std::int32_t mode = setup_.mode;
    std::string course = setup_.course;
    ExchangeString(load, players, "setup", "players");
    ExchangeInt(load, mode, "setup", "mode", 0, 3);
    ExchangeString(load, course, "setup", "course");
    if (!load) {
        return;
    }
    LastSetup read;
    read.mode = mode;
    read.course = course;
    for (std::size_t at = 0; at < players.size() && read.players.size() < MaxSetupPlayers;) {
        const std::size_t end = std::min(players.find('\n', at), players.size());
        if (auto player = playerOfLine(std::string_view(players).substr(at, end - at))) {
            read.players.push_back(std::move(*player));
        }
        at = end + 1;
    }
    setupStored_ = setupStored_ || !players.empty() || !course.empty() || mode != 0;
    setup_ = std::move(read);
}

}  // namespace trundlex
