#include <gtest/gtest.h>

#include "model/EditorSettings.h"
#include "model/RecentFileList.h"
#include "settings/MemorySettingsStore.h"

namespace trundlex {
namespace {

const std::string kRoot = "Software\\Brackwater Works\\Trundlex\\Trundlex Editor";
const std::string kMisc = kRoot + "\\misc";
const std::string kRecent = kRoot + "\\Recent File List";

class EditorSettingsTest : public ::testing::Test {
protected:
    MemorySettingsStore store_;
};

TEST_F(EditorSettingsTest, FirstStartShowsTheGridWithSoundAndStoredValuesLoadAsBooleans) {
    EditorSettings settings(store_);
    settings.Load();
    EXPECT_TRUE(settings.showGrid() && settings.sound());
    settings.setShowGrid(false);
    settings.Save();
    EXPECT_EQ(store_.read(kMisc, "grid"), SettingsValue::fromInt(0));
    EXPECT_FALSE(store_.hasKey("Software\\Brackwater Works\\Trundlex\\misc"))
        << "the editor keeps its settings apart from the game's";

    store_.write(kMisc, "sound", SettingsValue::fromInt(2), true);
    EditorSettings again(store_);
    again.Load();
    EXPECT_TRUE(!again.showGrid() && again.sound());
    again.Save();
    EXPECT_EQ(store_.read(kMisc, "sound"), SettingsValue::fromInt(1));
}

TEST_F(EditorSettingsTest, TheLookIsClassicUntilTheModernOneIsChosenAndThenKept) {
    {
        EditorSettings settings(store_);
        settings.Load();
        EXPECT_FALSE(settings.modernLook());
        settings.setModernLook(true);
        settings.Save();
    }
    EXPECT_EQ(store_.read(kMisc, "look"), SettingsValue::fromInt(1)) << "the game's numbering";
    EditorSettings again(store_);
    again.Load();
    EXPECT_TRUE(again.modernLook());

    store_.write(kMisc, "look", SettingsValue::fromInt(7), true);
    EditorSettings unknown(store_);
    unknown.Load();
    EXPECT_FALSE(unknown.modernLook()) << "a look this editor does not know is ignored";
}

TEST_F(EditorSettingsTest, RecentFilesKeepFourNewestFirstWithoutDuplicates) {
    RecentFileList recent(store_);
    for (const char* file : {"/l/a.lev", "/l/b.lev", "/l/c.lev", "/l/d.lev", "/l/e.lev"}) {
        recent.add(file);
    }
    EXPECT_EQ(recent.entries(),
              (std::vector<std::string>{"/l/e.lev", "/l/d.lev", "/l/c.lev", "/l/b.lev"}));
    recent.add("/l/c.lev");
    EXPECT_EQ(recent.entries(),
              (std::vector<std::string>{"/l/c.lev", "/l/e.lev", "/l/d.lev", "/l/b.lev"}));
    recent.remove("/l/e.lev");
    recent.remove("/l/unknown.lev");
    recent.add("");
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/l/c.lev", "/l/d.lev", "/l/b.lev"}));
}

TEST_F(EditorSettingsTest, RecentFilesSurviveARestartAndCloseGaps) {
    {
        RecentFileList recent(store_);
        recent.add("/x/one.lev");
        recent.add("/x/two.lev");
        recent.Save();
    }
    EXPECT_EQ(store_.read(kRecent, "File1"), SettingsValue::fromString("/x/two.lev"));
    store_.write(kRecent, "File4", SettingsValue::fromString("/x/old.lev"), true);

    RecentFileList reloaded(store_);
    reloaded.Load();
    EXPECT_EQ(reloaded.entries(),
              (std::vector<std::string>{"/x/two.lev", "/x/one.lev", "/x/old.lev"}));
}

TEST_F(EditorSettingsTest, FileDialogsStartInTheFolderOfTheNewestFile) {
    RecentFileList recent(store_);
    EXPECT_EQ(recent.startFolder("/opt/trundlex/levels"), "/opt/trundlex/levels");
    recent.add("/home/me/courses/hill.lev");
    EXPECT_EQ(recent.startFolder("/opt/trundlex/levels"), "/home/me/courses/");
    recent.add("C:\\Levels\\old/hill.lev");
    EXPECT_EQ(recent.startFolder("/lv"), "C:\\Levels\\") << "a backslash wins over a slash";
    recent.add("bare.lev");
    EXPECT_EQ(recent.startFolder("/lv"), "/lv") << "a bare name has no folder";
}

}  // namespace
}  // namespace trundlex
