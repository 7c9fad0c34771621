#include <gtest/gtest.h>

#include <memory>

#include "settings/GameSettings.h"
#include "settings/MemorySettingsStore.h"

namespace trundlex {
namespace {

const std::string kMisc = "Software\\Brackwater Works\\Trundlex\\misc";
const std::string kNetwork = "Software\\Brackwater Works\\Trundlex\\network";
const std::string kSetup = "Software\\Brackwater Works\\Trundlex\\setup";

class SettingsTest : public ::testing::Test {
protected:
    void storeInt(const std::string& key, const std::string& name, std::int32_t value) {
        store_.write(key, name, SettingsValue::fromInt(value), true);
    }
    std::optional<SettingsValue> stored(const std::string& key, const std::string& name) {
        return store_.read(key, name);
    }
    std::unique_ptr<GameSettings> loaded() {
        auto settings = std::make_unique<GameSettings>(store_);
        settings->Load();
        return settings;
    }

    MemorySettingsStore store_;
};

TEST_F(SettingsTest, FirstStartGivesDefaultsAndSaveWritesBothSections) {
    GameSettings settings(store_);
    settings.Load();
    EXPECT_EQ(settings.count(), 162);
    EXPECT_TRUE(settings.sound());
    EXPECT_EQ(settings.address(), "");
    EXPECT_EQ(settings.port(), 49732);
    EXPECT_EQ(store_.valueCount(), 0u);

    settings.Save();
    EXPECT_EQ(store_.valueCount(), 5u);
    EXPECT_EQ(stored(kMisc, "count"), SettingsValue::fromInt(162));
    EXPECT_EQ(stored(kMisc, "look"), SettingsValue::fromInt(GameSettings::ModernLook));
    EXPECT_EQ(stored(kMisc, "sound"), SettingsValue::fromInt(1));
    EXPECT_EQ(stored(kNetwork, "port"), SettingsValue::fromInt(49732));
    EXPECT_EQ(stored(kNetwork, "address"), (SettingsValue{SettingsValueType::String, ""}));
}

TEST_F(SettingsTest, SavedValuesLoadBackIntoANewRecord) {
    GameSettings settings(store_);
    settings.setCount(15);
    settings.setSound(false);
    settings.setAddress("golf.example.org");
    settings.setPort(1);
    settings.Save();

    const auto back = loaded();
    EXPECT_EQ(back->count(), 15);
    EXPECT_FALSE(back->sound());
    EXPECT_EQ(back->address(), "golf.example.org");
    EXPECT_EQ(back->port(), 1);
}

TEST_F(SettingsTest, OutOfRangeIntegersAreIgnoredOnLoad) {
    for (const std::int32_t badPort : {0, -1, -70000, 65536, 2147483647}) {
        storeInt(kNetwork, "port", badPort);
        EXPECT_EQ(loaded()->port(), 49732) << badPort;
    }
    for (const std::int32_t badCount : {0, -1, -2147483647 - 1}) {
        storeInt(kMisc, "count", badCount);
        EXPECT_EQ(loaded()->count(), 162) << badCount;
    }
    storeInt(kNetwork, "port", 65535);
    storeInt(kMisc, "count", 2147483647);
    const auto edges = loaded();
    EXPECT_EQ(edges->port(), 65535);
    EXPECT_EQ(edges->count(), 2147483647);
}

TEST_F(SettingsTest, SoundTwoLoadsAsTrueAndSavesAsOne) {
    storeInt(kMisc, "sound", 2);
    GameSettings settings(store_);
    settings.setSound(false);
    settings.Load();
    EXPECT_TRUE(settings.sound());
    settings.Save();
    EXPECT_EQ(stored(kMisc, "sound")->toInt(), 1);

    storeInt(kMisc, "sound", 0);
    EXPECT_FALSE(loaded()->sound());
}

TEST_F(SettingsTest, UnreadableValuesLeaveTheFieldsUnchanged) {
    store_.write(kNetwork, "port", {SettingsValueType::Binary, std::string("\x50\x00", 2)}, true);
    store_.write(kMisc, "count", SettingsValue::fromString("12"), true);
    store_.write(kMisc, "sound", {SettingsValueType::Binary, std::string(8, '\0')}, true);
    const auto settings = loaded();
    EXPECT_EQ(settings->port(), 49732);
    EXPECT_EQ(settings->count(), 162);
    EXPECT_TRUE(settings->sound());
}

TEST_F(SettingsTest, StringIsReadUpToItsFirstZeroByte) {
    store_.write(kNetwork, "address", SettingsValue::fromString(std::string("host\0junk", 9)),
                 true);
    EXPECT_EQ(loaded()->address(), "host");
}

TEST_F(SettingsTest, IntegersAreStoredAsFourLittleEndianBytes) {
    EXPECT_EQ(SettingsValue::fromInt(-2).bytes, std::string("\xfe\xff\xff\xff", 4));
    EXPECT_EQ(SettingsValue::fromInt(0x01020304).bytes, std::string("\x04\x03\x02\x01", 4));
    for (const std::int32_t value : {0, 1, -1, 49732, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(SettingsValue::fromInt(value).toInt(), value);
    }
    EXPECT_EQ(SettingsValue::fromString("abc").toInt(), std::nullopt);
}

TEST_F(SettingsTest, WritesAreFlushedUnlessSuppressed) {
    GameSettings settings(store_);
    settings.Save();
    EXPECT_EQ(store_.flushCount(), 5);
    settings.setFlushSuppressed(true);
    settings.setPort(2);
    settings.Save();
    EXPECT_EQ(store_.flushCount(), 5);
    EXPECT_EQ(stored(kNetwork, "port"), SettingsValue::fromInt(2));
}

TEST_F(SettingsTest, TwoProgramsSavingKeepEachOthersChangesAndTheLaterChangeOfAValueWins) {
    storeInt(kNetwork, "port", 1000);
    const auto game = loaded();
    const auto host = loaded();
    host->setPort(2000);
    host->setAddress("host.example.org");
    host->Save();
    game->setSound(false);
    game->setAddress("game.example.org");
    game->Save();
    const auto back = loaded();
    EXPECT_EQ(back->port(), 2000) << "not undone by a program that did not change it";
    EXPECT_FALSE(back->sound());
    EXPECT_EQ(back->address(), "game.example.org");

    // Setting a value back to what was loaded is a change too once another program saved.
    host->setPort(1000);
    host->Save();
    EXPECT_EQ(loaded()->port(), 1000);
}

TEST_F(SettingsTest, OnlineHostIsKeptOnceChangedAndItsChangeBackToo) {
    GameSettings settings(store_);
    settings.Load();
    EXPECT_EQ(settings.onlineHost(), "localhost");
    settings.setOnlineHost("golf.example.org:50000");
    settings.Save();
    EXPECT_EQ(loaded()->onlineHost(), "golf.example.org:50000");
    const auto again = loaded();
    again->setOnlineHost("localhost");
    again->Save();
    EXPECT_EQ(loaded()->onlineHost(), "localhost");
}

TEST_F(SettingsTest, RecentAddressesKeepTheLastFiveJoinedNewestFirstAcrossARestart) {
    GameSettings settings(store_);
    settings.Load();
    for (const char* address : {"a.lan", "[::1]:49733", " b.lan ", "a.lan", "", "x\ny", "c", "d",
                                "e"}) {
        settings.rememberAddress(address);
    }
    const std::vector<std::string> expected{"e", "d", "c", "a.lan", "b.lan"};
    EXPECT_EQ(settings.recentAddresses(), expected);
    EXPECT_EQ(settings.address(), "e");
    settings.Save();
    EXPECT_EQ(loaded()->recentAddresses(), expected);

    // A hand-edited or damaged list loads as far as it is usable.
    store_.write(kNetwork, "recent",
                 SettingsValue::fromString("f\n\n f \n" + std::string(400, 'g') +
                                           "\ng\nh\ni\nj\nk"),
                 true);
    EXPECT_EQ(loaded()->recentAddresses(), (std::vector<std::string>{"f", "g", "h", "i", "j"}));
}

TEST_F(SettingsTest, ARoomSeatIsKeptAcrossARestartForTwoHoursAndCanBeForgotten) {
    constexpr std::int64_t kSaved = 1'800'000'000;
    constexpr std::int64_t kTwoHours = 2 * 3600;
    GameSettings settings(store_);
    settings.Load();
    EXPECT_FALSE(settings.roomSeat(kSaved, kTwoHours)) << "none before a room game";
    settings.setRoomSeat({"golf.example.org:50000", "K7QX2M", "ABCDEFGHJKMNPQRSTUVW", kSaved,
                          {"Ann", "Computer 2"}});
    settings.Save();
    const auto seat = loaded()->roomSeat(kSaved + 60, kTwoHours);
    ASSERT_TRUE(seat.has_value());
    EXPECT_EQ(seat->host + " " + seat->code + " " + seat->token,
              "golf.example.org:50000 K7QX2M ABCDEFGHJKMNPQRSTUVW");
    EXPECT_EQ(seat->names, (std::vector<std::string>{"Ann", "Computer 2"}));
    EXPECT_FALSE(loaded()->roomSeat(kSaved + kTwoHours + 1, kTwoHours)) << "too old";
    EXPECT_FALSE(loaded()->roomSeat(kSaved - 3600, kTwoHours)) << "from the future";

    const auto again = loaded();
    EXPECT_TRUE(again->hasRoomSeat());
    again->clearRoomSeat();
    again->Save();
    EXPECT_FALSE(loaded()->roomSeat(kSaved, kTwoHours)) << "forgotten for good";
    EXPECT_FALSE(loaded()->hasRoomSeat());

    // A damaged record is no seat rather than a broken one.
    for (const std::string& damaged : {std::string("host\nK7QX2M\nTOKEN"),
                                       std::string("host\nK7QX2M\nTOKEN\nsoon"),
                                       std::string("\nK7QX2M\nTOKEN\n1800000000")}) {
        store_.write(kNetwork, "seat", SettingsValue::fromString(damaged), true);
        EXPECT_FALSE(loaded()->roomSeat(kSaved, kTwoHours)) << damaged;
    }
}

TEST_F(SettingsTest, TheLastSetupIsKeptAcrossARestart) {
    GameSettings settings(store_);
    settings.Load();
    EXPECT_TRUE(settings.lastSetup().players.empty()) << "nobody before the first game";
    settings.Save();
    EXPECT_FALSE(stored(kSetup, "players")) << "a record without a game holds what it always did";

    GameSettings::LastSetup setup;
    setup.players = {{"Ann Lee", 0, 0x3C8CF5, 4, false},
                     {"Computer 2", 3, 0xFFFFFF, 0, true},
                     {"Bo", 1, 0, 12, false}};
    setup.mode = 3;
    setup.course = "341939388";
    settings.setLastSetup(setup);
    settings.Save();
    EXPECT_EQ(loaded()->lastSetup(), setup);

    // Changed back to a local game of single levels, which must be kept too.
    const auto again = loaded();
    again->setLastSetup({{{"Ann Lee", 0, 0x3C8CF5, 4, false}}, 0, ""});
    again->Save();
    EXPECT_EQ(loaded()->lastSetup(),
              (GameSettings::LastSetup{{{"Ann Lee", 0, 0x3C8CF5, 4, false}}, 0, ""}));
}

TEST_F(SettingsTest, ASetupKeepsOnlyPlayersAGameCanHave) {
    GameSettings settings(store_);
    GameSettings::LastSetup setup;
    for (int i = 0; i < 10; ++i) {
        setup.players.push_back({"P" + std::to_string(i), 0, 0, 0, false});
    }
    setup.players.insert(setup.players.begin(), {{"", 0, 0, 0, false},
                                                 {"two\nlines", 0, 0, 0, false},
                                                 {"strong", 4, 0, 0, false},
                                                 {std::string(256, 'x'), 0, 0, 0, false}});
    setup.mode = 7;
    settings.setLastSetup(setup);
    ASSERT_EQ(settings.lastSetup().players.size(), GameSettings::MaxSetupPlayers);
    EXPECT_EQ(settings.lastSetup().players.front().name, "P0");
    EXPECT_EQ(settings.lastSetup().mode, 0);

    // A damaged or hand-edited record loads as far as it is usable.
    store_.write(kSetup, "players",
                 SettingsValue::fromString("0 255 1 0 Ann\n2 x 1 0 Bad\n9 0 0 0 Nine\n"
                                           "1 16777216 0 0 Wide\n3 0 0 1\n\n2 65280 3 1  Bo "),
                 true);
    storeInt(kSetup, "mode", 9);
    const auto back = loaded();
    EXPECT_EQ(back->lastSetup().players,
              (std::vector<GameSettings::SetupPlayer>{{"Ann", 0, 255, 1, false},
                                                      {" Bo ", 2, 65280, 3, true}}));
    EXPECT_EQ(back->lastSetup().mode, 0);
}

}  // namespace
}  // namespace trundlex
