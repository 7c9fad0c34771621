#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/PlatformSupport.h"
#include "platform/QtSettingsStore.h"
#include "settings/GameSettings.h"

namespace trundlex {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<QSettings> iniSettings() {
        return std::make_unique<QSettings>(dir_.filePath(QStringLiteral("settings.ini")),
                                           QSettings::IniFormat);
    }
    QTemporaryDir dir_;
};

TEST_F(QtSettingsStoreTest, GameSettingsSurviveARestart) {
    {
        QtSettingsStore store(iniSettings());
        GameSettings settings(store);
        settings.Load();
        settings.setCount(77);
        settings.setAddress("golf.example \xc3\xa5");
        settings.setPort(50001);
        settings.Save();
    }
    QtSettingsStore store(iniSettings());
    GameSettings settings(store);
    settings.Load();
    EXPECT_EQ(settings.count(), 77);
    EXPECT_EQ(settings.address(), "golf.example \xc3\xa5");
    EXPECT_EQ(settings.port(), 50001);

    // The sections and value names are those of the registry layout, integers as 4 bytes.
    QSettings raw(dir_.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("network/port")).toByteArray().toStdString(),
              SettingsValue::fromInt(50001).bytes);
}

TEST_F(QtSettingsStoreTest, MissingValuesAndKeysBelowTheRoot) {
    QtSettingsStore store(iniSettings());
    const std::string key = "Software\\Brackwater Works\\Trundlex\\Trundlex Editor\\settings";
    EXPECT_FALSE(store.read("Software\\Brackwater Works\\Trundlex\\misc", "count").has_value());
    ASSERT_TRUE(store.write(key, "grid", SettingsValue::fromInt(1), true));
    EXPECT_EQ(store.read(key, "grid"), SettingsValue::fromInt(1));
}

TEST(PlatformSupport, FoldersAndText) {
    EXPECT_TRUE(userDataFolder().endsWith(QStringLiteral("/Trundlex/")));
    EXPECT_EQ(toDisplayText("\xc3\x85sa"), QStringLiteral("\u00c5sa")) << "UTF-8";
    EXPECT_EQ(toDisplayText("\xc5sa"), QStringLiteral("\u00c5sa")) << "old Latin-1 bytes";
}

}  // namespace
}  // namespace trundlex
