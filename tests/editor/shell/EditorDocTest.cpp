#include <QFile>

#include "EditorShellFixture.h"
#include "level/LevelFile.h"
#include "model/EditorTool.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

using Answer = EditorPrompts::Answer;

class EditorDocTest : public EditorShellTest {
protected:
    // The properties dialog answers OK with these values.
    void answerProperties(const QString& creator, const QString& name, int width, int height) {
        prompts.propertiesAnswer = [=](LevelProperties& values) {
            values = {creator, name, width, height};
            return true;
        };
    }
    static std::string withoutId(Level level) {
        level.setId("");
        return level.toText();
    }
};

TEST_F(EditorDocTest, StartsWithoutADialogNewShowsItAndOkGivesAClearedLevelOfThatSize) {
    EXPECT_EQ(level(), Level());
    EXPECT_TRUE(prompts.shownProperties.empty());
    EXPECT_EQ(document.cellSize(), Cell) << "the view's layout is the document's cell size";
    plotWall(2, 2);
    prompts.answers = {Answer::No};
    answerProperties(QStringLiteral("Me{"), QStringLiteral("Hill{1}"), 12, 8);
    ASSERT_TRUE(document.fileNew());

    ASSERT_EQ(prompts.shownProperties.size(), 1u);
    const LevelProperties shown = prompts.shownProperties.front();
    EXPECT_TRUE(shown.name.isEmpty() && shown.creator.isEmpty());
    EXPECT_EQ(std::pair(shown.width, shown.height), std::pair(20, 20));

    EXPECT_EQ(std::pair(level().width(), level().height()), std::pair(12, 8));
    EXPECT_EQ(level().name() + level().creator(), "Hill1Me") << "braces are removed";
    EXPECT_EQ(code(2, 2), "$") << "every block is cleared";
    EXPECT_DOUBLE_EQ(level().startX(), 6.0);
    EXPECT_FALSE(document.IsModified()) << "an untouched new level needs no saving";
    EXPECT_EQ(view.layout().levelWidth(), 12) << "the view lays the new level out";
}

TEST_F(EditorDocTest, ChangedLevelAsksBeforeNewCancelStopsItYesSavesFirst) {
    plotWall(4, 4);
    prompts.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(document.fileNew());
    EXPECT_EQ(prompts.saveQuestions, QStringList{QStringLiteral("Untitled")});
    EXPECT_TRUE(prompts.shownProperties.empty());
    EXPECT_TRUE(document.IsModified());

    prompts.savePath = qpath("asked.lev");
    prompts.propertiesAnswer = [](LevelProperties&) { return true; };
    ASSERT_TRUE(document.fileNew());
    EXPECT_EQ(prompts.saveFolders.size(), 1u) << "untitled: Save As asks for a file";
    Level saved;
    ASSERT_EQ(loadLevelFile(qpath("asked.lev").toStdString(), saved), LevelLoadResult::Loaded);
    EXPECT_EQ(saved.block(4, 4).toText(), "S0T8");

    prompts.saveQuestions.clear();
    EXPECT_TRUE(document.fileNew());
    EXPECT_TRUE(prompts.saveQuestions.isEmpty()) << "an unchanged level is not asked about";
}

TEST_F(EditorDocTest, SaveThenOpenGivesTheSameLevelTextApartFromTheId) {
    plotWall(1, 2);
    view.setTool(ToolSetBall);
    stroke({at(7, 3)});
    answerProperties(QStringLiteral("Ann"), QStringLiteral("Corner"), 10, 10);
    view.editProperties();
    const std::string drawn = withoutId(level());

    second = 9;
    prompts.savePath = qpath("corner.lev");
    ASSERT_TRUE(document.fileSaveAs());
    const std::string id = level().id();
    EXPECT_FALSE(id.empty());
    EXPECT_FALSE(document.IsModified());

    plotWall(5, 5);
    prompts.answers = {Answer::No};
    ASSERT_TRUE(document.openFile(qpath("corner.lev")));
    EXPECT_EQ(withoutId(level()), drawn);
    EXPECT_EQ(level().id(), id);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.title(), QStringLiteral("corner.lev"));
}

TEST_F(EditorDocTest, SaveAsOffersTheLevelsNameUntilItHasAFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"Duck Pond", "Duck Pond.lev"}, {"a/b: c?", "a-b- c-.lev"}, {"..", "Untitled"}, {"", "Untitled"}};
    for (const auto& [name, offered] : cases) {
        level() = Level(6, 6, name, "Ann");
        prompts.savePath.clear();
        EXPECT_FALSE(document.fileSaveAs());
        EXPECT_EQ(prompts.suggestedNames.last(), QString::fromUtf8(offered)) << name;
    }
    prompts.savePath = qpath("pond.lev");
    ASSERT_TRUE(document.fileSaveAs());
    prompts.savePath.clear();
    EXPECT_FALSE(document.fileSaveAs());
    EXPECT_EQ(prompts.suggestedNames.last(), QStringLiteral("pond.lev"));
}

TEST_F(EditorDocTest, FailedSaveIsReportedAndTheLevelStaysChanged) {
    plotWall(2, 2);
    prompts.savePath = qpath("no-such-folder/level.lev");
    EXPECT_FALSE(document.fileSave());
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().contains(QStringLiteral("level.lev")));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.title(), QStringLiteral("Untitled"));
    EXPECT_TRUE(recent.entries().empty());
}

TEST_F(EditorDocTest, OpeningAFileThatIsNoLevelKeepsTheLevelBeingEdited) {
    plotWall(6, 1);
    prompts.savePath = qpath("mine.lev");
    ASSERT_TRUE(document.fileSave());
    plotWall(6, 2);

    writeBytes(qpath("notes.lev").toStdString(), "\x05hello, not a level");

    prompts.answers = {Answer::No, Answer::No};
    EXPECT_FALSE(document.openFile(qpath("notes.lev")));
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().contains(QStringLiteral("notes.lev")));
    EXPECT_EQ(code(6, 1), "S0T8");
    EXPECT_EQ(code(6, 2), "S0T8") << "the unsaved change is still there";
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.title(), QStringLiteral("mine.lev")) << "a later save goes to mine.lev";

    EXPECT_FALSE(document.openFile(qpath("missing.lev")));
    EXPECT_EQ(prompts.errors.size(), 2);
}

TEST_F(EditorDocTest, RecentFilesAndTheDialogFolderFollowTheLastFileUsed) {
    EXPECT_EQ(document.dialogFolder(), folder.path()) << "the levels folder at first";
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    prompts.savePath = qpath("sub/a.lev");
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(document.dialogFolder(), qpath("sub") + QLatin1Char('/'));
    ASSERT_EQ(recent.entries().size(), 1u);
    EXPECT_EQ(QString::fromStdString(recent.entries().front()), qpath("sub/a.lev"));

    prompts.openPath = qpath("sub/a.lev");
    ASSERT_TRUE(document.fileOpen());
    EXPECT_EQ(prompts.openFolders.back(), qpath("sub") + QLatin1Char('/'));

    ASSERT_TRUE(QFile::remove(qpath("sub/a.lev")));
    EXPECT_FALSE(document.openFile(qpath("sub/a.lev")));
    EXPECT_TRUE(recent.entries().empty()) << "a file that cannot be opened leaves the list";
}

TEST_F(EditorDocTest, PropertiesResizeAndRenameAsOneUndoStep) {
    plotWall(9, 9);
    answerProperties(QStringLiteral("Bo"), QStringLiteral("Long {hall}"), 15, 4);
    view.editProperties();
    ASSERT_EQ(prompts.shownProperties.size(), 1u);
    EXPECT_EQ(prompts.shownProperties.front().width, 10) << "filled from the level";
    EXPECT_EQ(std::pair(level().width(), level().height()), std::pair(15, 4));
    EXPECT_EQ(level().name() + level().creator(), "Long hallBo");
    EXPECT_EQ(view.layout().levelWidth(), 15);
    ASSERT_EQ(view.width(), 770) << "the fixture's width";
    EXPECT_EQ(view.layout().cellSize(), 51) << "(770 - 5) / 15";

    prompts.propertiesAnswer = nullptr;
    view.editProperties();
    EXPECT_EQ(level().width(), 15) << "Cancel changes nothing";

    view.undo();
    EXPECT_EQ(level().width(), 10) << "undo takes back the properties";
    EXPECT_EQ(level().name(), "");
    EXPECT_EQ(code(9, 9), "S0T8");
    view.redo();
    EXPECT_EQ(level().name() + level().creator(), "Long hallBo");
}

TEST_F(EditorDocTest, NamesInAnOlderEncodingSurviveAnUnchangedPropertiesDialog) {
    level().setName("Caf\xe9");  // Latin-1, as older systems wrote it
    level().setCreator("J\xf6rgen");
    prompts.propertiesAnswer = [](LevelProperties& values) {
        EXPECT_EQ(values.name, QStringLiteral("Caf\u00e9")) << "shown readable";
        return true;
    };
    view.editProperties();
    EXPECT_EQ(level().name(), "Caf\xe9") << "not rewritten as UTF-8";
    EXPECT_EQ(level().creator(), "J\xf6rgen");

    answerProperties(QStringLiteral("J\u00f6rgen"), QStringLiteral("Caf\u00e9 2"), 10, 10);
    view.editProperties();
    EXPECT_EQ(level().name(), "Caf\xc3\xa9 2") << "an edited name is stored as UTF-8";
}

}  // namespace
}  // namespace trundlex::testing
