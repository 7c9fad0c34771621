#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegistrySettings.h"

namespace trundlex {

// The game's settings record, under "Software\Brackwater Works\Trundlex":
//   misc\count      files read at the last start-up (the splash window's progress range)
//   misc\sound      whether balls make sounds
//   misc\look       how the playfield is drawn: 0 classic, 1 modern
//   misc\ghost      0 when the ghost of the best round is turned off (written once it was)
//   network\port    TCP port of the last network game, 1 ... 65535
//   network\address server address of the last network game
//   network\recent  the last addresses joined, newest first, one a line (written once there
//                   is one; earlier versions ignore it)
//   network\online  the room host of online games (written once changed; earlier versions
//                   ignore it)
//   network\seat    the seat of the room game last joined, for rejoining it: host, code,
//                   seat token, the time it was saved (seconds since 1970) and this
//                   computer's players, one a line (written once there was one)
//   setup\players   the players of this computer in the last game set up, one a line:
//                   strength (0 person, 1 easy, 2 medium, 3 hard), ball colour (0xRRGGBB in
//                   decimal), pattern, transparent (0 or 1), then the name after a space
//   setup\mode      how that game was played: 0 this computer, 1 server, 2 client, 3 online
//   setup\course    the ID of the course its levels came from (empty: not a whole course)
//                   (the setup is written once a game was set up; earlier versions ignore it)
class GameSettings : public RegistrySettings {
public:
    static constexpr std::int32_t DefaultCount = 162;
    static constexpr std::int32_t DefaultPort = 49732;
    static constexpr std::size_t MaxRecentAddresses = 5;
    // Longer addresses are not remembered (no host name is longer).
    static constexpr std::size_t MaxAddressBytes = 300;
    // The room host an online game asks until the player names another.
    static constexpr std::string_view DefaultOnlineHost = "localhost";

    static constexpr std::int32_t ClassicLook = 0;
    static constexpr std::int32_t ModernLook = 1;

    // Defaults: count 162, sound on, empty address, port 49732, modern look.
    explicit GameSettings(SettingsStore& store) : RegistrySettings(store) {}

    std::string RootPath() const override;

    std::int32_t count() const { return count_; }
    void setCount(std::int32_t count) { count_ = count; }
    bool sound() const { return sound_; }
    void setSound(bool on) { sound_ = on; }
    std::int32_t look() const { return look_; }
    void setLook(std::int32_t look) { look_ = look; }
    // Whether a game of one player shows the ghost of the best round on its course.
    bool ghost() const { return ghost_; }
    void setGhost(bool on) { ghost_ = on; }
    const std::string& address() const { return address_; }
    void setAddress(std::string address) { address_ = std::move(address); }
    std::int32_t port() const { return port_; }
    void setPort(std::int32_t port) { port_ = port; }
    // The addresses of the last games joined, newest first, each once, at most
    // MaxRecentAddresses.
    const std::vector<std::string>& recentAddresses() const { return recent_; }
    // A game was joined at `address` (as typed, spaces around it dropped): it becomes the
    // newest entry and the address of the last game. Empty, over-long or multi-line text is
    // not remembered in the list.
    void rememberAddress(std::string_view address);
    // The room host of online games, as typed (a name or address, with ":port" if not the
    // default port).
    const std::string& onlineHost() const { return onlineHost_; }
    void setOnlineHost(std::string host) { onlineHost_ = std::move(host); }

    // Where this computer last sat in a room's running game, so that it can come back after
    // losing the connection (or the program).
    struct RoomSeat {
        std::string host;
        std::string code;
        std::string token;
        std::int64_t savedAt = 0;
        std::vector<std::string> names;
    };
    void setRoomSeat(RoomSeat seat) { seat_ = std::move(seat); }
    void clearRoomSeat() { seat_ = {}; }
    // A seat is kept, however old.
    bool hasRoomSeat() const { return !seat_.token.empty(); }
    // The seat, if one was saved at most `maxAgeSeconds` before `now` (and not in the future
    // by more than a minute of clock drift); nothing otherwise.
    std::optional<RoomSeat> roomSeat(std::int64_t now, std::int64_t maxAgeSeconds) const;

    // The last game set up, offered again by the start screen and the new-game wizard.
    struct SetupPlayer {
        std::string name;
        // A computer strength's value: 0 a person, 1 easy, 2 medium, 3 hard.
        std::int32_t strength = 0;
        std::uint32_t colour = 0;
        std::int32_t pattern = 0;
        bool transparent = false;
        friend bool operator==(const SetupPlayer&, const SetupPlayer&) = default;
    };
    struct LastSetup {
        std::vector<SetupPlayer> players;
        std::int32_t mode = 0;
        std::string course;
        friend bool operator==(const LastSetup&, const LastSetup&) = default;
    };
    // At most this many players are kept (a game's most); longer names are not kept.
    static constexpr std::size_t MaxSetupPlayers = 8;
    static constexpr std::size_t MaxNameBytes = 255;
    const LastSetup& lastSetup() const { return setup_; }
    // Keeps `setup`; players beyond MaxSetupPlayers, without a name, with a name over
    // MaxNameBytes or spanning lines, or with a strength out of 0 ... 3 are left out, and a
    // mode out of 0 ... 3 is taken as 0.
    void setLastSetup(LastSetup setup);

protected:
    // count (at least 1), sound, port (1 ... 65535), address, look (0 or 1), in that order.
    void Exchange(bool load) override;

private:
    void exchangeSeat(bool load);
    void exchangeSetup(bool load);

    std::int32_t count_ = DefaultCount;
    bool sound_ = true;
    std::string address_;
    std::int32_t port_ = DefaultPort;
    std::int32_t look_ = ModernLook;
    bool ghost_ = true;
    bool ghostStored_ = false;
    std::vector<std::string> recent_;
    std::string onlineHost_{DefaultOnlineHost};
    bool onlineHostStored_ = false;
    RoomSeat seat_;
    bool seatStored_ = false;
    LastSetup setup_;
    bool setupStored_ = false;
};

}  // namespace trundlex
