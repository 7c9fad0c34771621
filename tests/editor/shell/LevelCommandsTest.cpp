
#include "EditorShellFixture.h"
#include "model/LevelEditing.h"
#include "model/RandomLevelGenerator.h"
#include "util/RandomSource.h"

namespace trundlex::testing {
namespace {

const QString kPieces = QStringLiteral(TRUNDLEX_SOURCE_DIR "/resources/RBites");

class LevelCommandsTest : public EditorShellTest {
protected:
    LevelCommands& commands() { return view.levelCommands(); }
};

TEST_F(LevelCommandsTest, TurnAndFlipsAreUndoStepsThatLayTheLevelOutAgain) {
    level().resize(10, 5);
    plotWall(0, 0);
    commands().rotateLevel();
    EXPECT_EQ(std::pair(level().width(), level().height()), std::pair(5, 10));
    EXPECT_EQ(code(4, 0), "S1T8");
    EXPECT_EQ(document.cellSize(), view.layout().cellSize());
    EXPECT_EQ(view.layout().levelWidth(), 5) << "laid out for the turned level";

    commands().flipHorizontal();
    EXPECT_EQ(code(0, 0), "S1T8");
    commands().flipVertical();
    EXPECT_EQ(code(0, 9), "S1T8");
    for (int step = 0; step < 3; ++step) {
        view.undo();
    }
    EXPECT_EQ(level().width(), 10);
    EXPECT_EQ(code(0, 0), "S0T8");
}

TEST_F(LevelCommandsTest, MakeFitThatCutsNothingIsNoUndoStep) {
    plotWall(0, 0);
    plotWall(9, 9);
    commands().makeFit();
    EXPECT_EQ(level().width(), 10) << "the walls in both corners use the whole level";
    view.undo();
    EXPECT_EQ(code(9, 9), "$") << "the first Undo takes back the wall";
}

TEST_F(LevelCommandsTest, RandomLevelReplacesTheLevelAndUndoBringsItBack) {
    prompts.propertiesAnswer = [](LevelProperties& values) {
        values.name = QStringLiteral("Mine");
        return true;
    };
    view.editProperties();
    plotWall(4, 4);
    prompts.answers = {EditorPrompts::Answer::No};
    commands().setPiecesFolder(kPieces);
    commands().setRandomSource(std::make_unique<SeededRandom>(5));
    commands().createRandomLevel();
    ASSERT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join(' ').toStdString();
    EXPECT_EQ(std::pair(level().width(), level().height()), std::pair(50, 50));
    EXPECT_EQ(level().name(), "");
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(view.layout().levelWidth(), 50);

    // The same seed through the generator itself gives the same level.
    SeededRandom draws(5);
    RandomLevelGenerator generator(kPieces.toStdString(), draws);
    ASSERT_TRUE(generator.Generate());
    EXPECT_EQ(level().toText(), generator.level().toText());

    view.undo();
    EXPECT_EQ(level().width(), 10);
    EXPECT_EQ(level().name(), "Mine");
    EXPECT_EQ(code(4, 4), "S0T8");
}

TEST_F(LevelCommandsTest, RandomLevelWithoutPiecesIsReportedAndChangesNothing) {
    plotWall(4, 4);
    const std::string text = level().toText();
    commands().setPiecesFolder(folder.path());
    commands().createRandomLevel();
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().contains(QStringLiteral("utslag7.lev")));
    EXPECT_EQ(level().toText(), text);
    view.undo();
    EXPECT_EQ(code(4, 4), "$") << "no undo step was taken";
}

}  // namespace
}  // namespace trundlex::testing
