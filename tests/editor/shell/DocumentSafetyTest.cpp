#include <QAction>
#include <QLineEdit>
#include <QSpinBox>

#include "EditorActions.h"
#include "EditorShellFixture.h"
#include "LevelPicture.h"
#include "level/LevelFile.h"
#include "util/RandomSource.h"

namespace trundlex::testing {
namespace {

using Answer = EditorPrompts::Answer;

// No edit may make the editor lose or overwrite a level: every check here starts from a
// level that holds work and ends by looking at what a save would write.
class DocumentSafetyTest : public EditorShellTest {
protected:
    // A level file named `name` on disk, its level returned.
    Level writeFile(const char* name, std::int32_t size) {
        Level stored(size, size, name, "Ann");
        stored.block(1, 1).fromText("S0W8");
        EXPECT_TRUE(saveLevelFile(stored, qpath(name).toStdString(), systemLocalClock(), nullptr));
        return stored;
    }
    void undoAll(int times) {
        for (int i = 0; i < times; ++i) {
            view.undo();
        }
    }
    EditorActions actions{view};
};

TEST_F(DocumentSafetyTest, NewAndOpenStartWithAnEmptyHistory) {
    const Level mine = writeFile("mine.lev", 6);
    plotWall(0, 0);
    plotWall(1, 0);
    prompts.answers = {Answer::No};
    ASSERT_TRUE(document.openFile(qpath("mine.lev")));
    undoAll(3);
    EXPECT_EQ(level().toText(), mine.toText()) << "undo must not bring back the other document";
    EXPECT_FALSE(actions.action(EditorCommand::Undo)->isEnabled());

    plotWall(2, 2);
    prompts.answers = {Answer::No};
    prompts.propertiesAnswer = [](LevelProperties& values) {
        values.width = 7;
        return true;
    };
    ASSERT_TRUE(document.fileNew());
    undoAll(2);
    EXPECT_EQ(level().width(), 7);
    EXPECT_EQ(document.title(), QStringLiteral("Untitled"));
}

// Undo right after a restore brought back the blank start-up level under the restored file's
// name, one Save away from overwriting that file.
TEST_F(DocumentSafetyTest, UndoNeverLeadsFromARestoredLevelBackToTheStartUpLevel) {
    Level restored = writeFile("mine.lev", 6);
    restored.block(4, 4).fromText("S0H8");
    document.restoreUnsaved(restored, qpath("mine.lev"));
    const std::string brought = level().toText();
    EXPECT_FALSE(actions.action(EditorCommand::Undo)->isEnabled()) << "nothing to undo yet";
    undoAll(2);
    EXPECT_EQ(level().toText(), brought);
    EXPECT_TRUE(document.IsModified()) << "the restored work is not on disk";

    plotWall(0, 0);
    plotWall(1, 0);
    undoAll(5);
    EXPECT_EQ(level().toText(), brought) << "edits after the restore undo back to it, no further";
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.title(), QStringLiteral("mine.lev"));
}

// Saving over a file warned only that the level had no cup, with Save as the default answer,
// even when a blank level was about to replace a whole course hole.
TEST_F(DocumentSafetyTest, SavingOverAFileAsksBeforeLosingItsCupOrMostOfItsCells) {
    Level big(20, 20, "big", "Ann");
    big.block(3, 3).fromText("S0H8");
    ASSERT_TRUE(saveLevelFile(big, qpath("big.lev").toStdString(), systemLocalClock(), nullptr));
    const auto onDisk = [this] {
        Level stored;
        EXPECT_EQ(loadLevelFile(qpath("big.lev").toStdString(), stored), LevelLoadResult::Loaded);
        return stored;
    };

    ASSERT_TRUE(document.openFile(qpath("big.lev")));
    const Level before = level();
    level().block(0, 0).fromText("S0T8");
    document.recordEdit(before);
    ASSERT_TRUE(document.fileSave());
    EXPECT_TRUE(prompts.replaceWarnings.isEmpty()) << "an edit that keeps the cup and size";
    EXPECT_EQ(onDisk().block(0, 0).toText(), "S0T8");

    // The blank start-up level under the file's name, as an undo past a restore once gave.
    document.restoreUnsaved(Level(), qpath("big.lev"));
    EXPECT_FALSE(document.fileSave());
    ASSERT_EQ(prompts.replaceWarnings.size(), 1);
    const QString warning = prompts.replaceWarnings[0];
    EXPECT_TRUE(warning.startsWith(QStringLiteral("big.lev: "))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("has a cup"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("20 x 20"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("only 10 x 10"))) << warning.toStdString();
    EXPECT_TRUE(prompts.warnings.isEmpty()) << "one warning, not two in a row";
    EXPECT_EQ(onDisk().width(), 20) << "Cancel keeps the file's level";
    EXPECT_TRUE(document.IsModified());

    prompts.replaceAnyway = true;
    ASSERT_TRUE(document.fileSave()) << "the warning may be overridden";
    EXPECT_EQ(onDisk().width(), 10);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentSafetyTest, UndoKeepsAHundredStepsStopsAtTheOldestAndIsDisabledThere) {
    EXPECT_FALSE(actions.action(EditorCommand::Undo)->isEnabled()) << "nothing to undo yet";
    for (int cell = 0; cell < 100; ++cell) {
        plotWall(cell % 10, cell / 10);
    }
    EXPECT_TRUE(actions.action(EditorCommand::Undo)->isEnabled());
    undoAll(100);
    const std::string oldest = level().toText();
    EXPECT_EQ(oldest, Level().toText());
    EXPECT_FALSE(actions.action(EditorCommand::Undo)->isEnabled());
    undoAll(3);
    EXPECT_EQ(level().toText(), oldest) << "undo never wraps to a newer state";
}

TEST_F(DocumentSafetyTest, RandomLevelAsksFirstAndBecomesAnUntitledDocument) {
    writeFile("mine.lev", 6);
    ASSERT_TRUE(document.openFile(qpath("mine.lev")));
    plotWall(0, 0);
    const std::string edited = level().toText();
    auto& commands = view.levelCommands();
    commands.setPiecesFolder(QStringLiteral(TRUNDLEX_SOURCE_DIR "/resources/RBites"));
    commands.setRandomSource(std::make_unique<SeededRandom>(5));

    prompts.answers = {Answer::Cancel};
    commands.createRandomLevel();
    EXPECT_EQ(prompts.saveQuestions.size(), 1);
    EXPECT_EQ(level().toText(), edited) << "Cancel keeps the edited level";

    prompts.answers = {Answer::No};
    commands.createRandomLevel();
    EXPECT_EQ(level().width(), 50);
    EXPECT_EQ(document.title(), QStringLiteral("Untitled"));
    prompts.savePath = qpath("random.lev");
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(prompts.saveFolders.size(), 1) << "saving asks for a new file";
    Level onDisk;
    ASSERT_EQ(loadLevelFile(qpath("mine.lev").toStdString(), onDisk), LevelLoadResult::Loaded);
    EXPECT_EQ(onDisk.width(), 6) << "the opened file was not overwritten";
}

TEST_F(DocumentSafetyTest, CancelInThePropertiesOfNewChangesNothing) {
    writeFile("mine.lev", 6);
    ASSERT_TRUE(document.openFile(qpath("mine.lev")));
    plotWall(0, 0);
    const std::string edited = level().toText();
    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.fileNew());
    EXPECT_EQ(prompts.shownProperties.size(), 1u);
    EXPECT_EQ(level().toText(), edited);
    EXPECT_EQ(document.title(), QStringLiteral("mine.lev"));
    EXPECT_TRUE(document.IsModified());
    view.undo();
    EXPECT_EQ(code(0, 0), "$") << "the history of the kept level stays too";
}

TEST_F(DocumentSafetyTest, AnUntouchedNewLevelNeedsNoSaving) {
    prompts.propertiesAnswer = [](LevelProperties&) { return true; };
    ASSERT_TRUE(document.fileNew());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.saveModified()) << "no question (the script has no answer)";
    EXPECT_TRUE(prompts.saveQuestions.isEmpty());
    plotWall(3, 3);
    EXPECT_TRUE(document.IsModified());
    view.undo();
    EXPECT_FALSE(document.IsModified()) << "undone back to the untouched level";
}

TEST_F(DocumentSafetyTest, ALevelOfThreeHundredSquareOpensShowsEditsRenamesAndSaves) {
    writeFile("big.lev", 300);
    ASSERT_TRUE(document.openFile(qpath("big.lev")));
    ASSERT_EQ(level().width(), 300);
    const int cell = view.layout().cellSize();
    ASSERT_LT(cell, 4) << "the whole level fits the window";
    LevelPicture gridless;
    gridless.rebuild(level(), cell, false);
    EXPECT_TRUE(view.picture().image() == gridless.image()) << "no grid lines over tiny cells";

    pickBack(Wall);
    view.setTool(ToolPlot);
    const QPoint corner(5 + cell * 100, Top + cell * 100);
    stroke({corner});
    EXPECT_EQ(code(100, 100), "S0T8");

    LevelProperties shown{QString(), QStringLiteral("Big"), 300, 300};
    QuietDialog dialog(shown);
    dialog.nameEdit()->setText(QStringLiteral("Bigger"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the loaded size is accepted";
    dialog.widthEdit()->selectAll();
    QTest::keyClicks(dialog.widthEdit(), QStringLiteral("99999"));
    EXPECT_LE(dialog.widthEdit()->text().toInt(), dialog.widthEdit()->maximum())
        << "a size beyond the range cannot be typed";
    prompts.propertiesAnswer = [&](LevelProperties& values) {
        values = dialog.values();
        values.width = 300;
        return true;
    };
    view.editProperties();
    EXPECT_EQ(level().name(), "Bigger");

    prompts.savePath = qpath("big2.lev");
    ASSERT_TRUE(document.fileSaveAs());
    Level reread;
    ASSERT_EQ(loadLevelFile(qpath("big2.lev").toStdString(), reread), LevelLoadResult::Loaded);
    EXPECT_EQ(std::pair(reread.width(), reread.name()), std::pair(300, std::string("Bigger")));
    EXPECT_EQ(reread.block(100, 100).toText(), "S0T8");
}

TEST_F(DocumentSafetyTest, AFileThatCannotBeOpenedSaysWhyAndMentionsKeptWorkOnlyWhenThereIsSome) {
    EXPECT_FALSE(document.openFile(qpath("missing.lev")));
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors[0].contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(prompts.errors[0].contains(QStringLiteral("editing"))) << "nothing was edited";
    plotWall(1, 1);
    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.openFile(qpath("missing.lev")));
    EXPECT_TRUE(prompts.errors.last().contains(QStringLiteral("editing has not been changed")));
    // A restored untitled level is work too, though it has no history yet.
    document.restoreUnsaved(Level(5, 5), {});
    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.openFile(qpath("missing.lev")));
    ASSERT_EQ(prompts.errors.size(), 3);
    EXPECT_TRUE(prompts.errors.last().contains(QStringLiteral("editing has not been changed")));
}

}  // namespace
}  // namespace trundlex::testing
