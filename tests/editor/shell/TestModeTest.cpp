#include <QAction>
#include <QImage>

#include "EditorActions.h"
#include "EditorStatusBar.h"
#include "EditorShellFixture.h"
#include "model/EditorTool.h"
#include "model/LevelEditing.h"
#include "render/BallRenderer.h"
#include "support/SilentBallOwner.h"

namespace trundlex::testing {
namespace {

class TestModeTest : public EditorShellTest {
protected:
    TestModeTest() { view.ball().SetSoundOn(false); }
    ~TestModeTest() override {
        if (view.isTestMode()) {
            view.toggleTestMode();
        }
    }

    // A left click in test mode: press and release at the pixel.
    void click(const QPoint& p) { QTest::mouseClick(&view, Qt::LeftButton, {}, p); }

    // Where a putt from (x, y) ends when run by a ball of its own on the same level.
    std::pair<double, double> restingPlace(double x, double y, double speed, double heading) {
        SilentBallOwner owner;
        Ball reference;
        reference.SetSoundOn(false);
        reference.SetLevel(level());
        reference.SetX(x);
        reference.SetY(y);
        EXPECT_TRUE(reference.PuttNow(speed, heading, &owner, Fastest));
        return {reference.GetX(), reference.GetY()};
    }

    QAction* action(EditorCommand id) { return actions.action(id); }
    // The Ball menu's item for a speed mode (-2 ... 5).
    QAction* speedItem(int mode) {
        return action(
            static_cast<EditorCommand>(static_cast<int>(EditorCommand::SpeedFirst) + mode + 2));
    }

    EditorActions actions{view};
};

TEST_F(TestModeTest, OnPutsTheBallOnTheStartAndGreysTheBrushStripOffGivesItBack) {
    setStartPosition(level(), 3.5, 2.5);
    const QImage before = view.grab().toImage();
    view.toggleTestMode();
    ASSERT_TRUE(view.isTestMode());
    EXPECT_TRUE(action(EditorCommand::TestMode)->isChecked());
    EXPECT_EQ(std::pair(view.ball().GetX(), view.ball().GetY()), std::pair(3.5, 2.5));
    const QImage testing = view.grab().toImage();
    // The brush preview (30, 10)-(60, 40) is greyed, and the palettes take no clicks.
    EXPECT_NE(before.pixel(45, 25), testing.pixel(45, 25));
    pickBack(Water);
    EXPECT_EQ(view.brushStrip().brush().back().kind(), Grass);

    view.toggleTestMode();
    EXPECT_FALSE(view.isTestMode());
    EXPECT_FALSE(action(EditorCommand::TestMode)->isChecked());
    EXPECT_EQ(view.grab().toImage().pixel(45, 25), before.pixel(45, 25));
}

TEST_F(TestModeTest, ClickPuttsTheBallWithThreePerBlockTowardThePointer) {
    view.toggleTestMode();
    view.setSpeedMode(NextPosition);
    // Ball at the start (5, 5); the click lies in cell (8, 5) level with the ball's centre:
    // three blocks away, heading straight right, speed 9.
    const auto [x, y] = restingPlace(5.0, 5.0, 9.0, 0.0);
    click(QPoint(5 + 8 * Cell + 20, Top + 5 * Cell));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isBallRunning(); }));
    EXPECT_EQ(std::pair(view.ball().GetX(), view.ball().GetY()), std::pair(x, y));
    EXPECT_NE(restingPlace(5.0, 5.0, 6.0, 0.0), std::make_pair(x, y))
        << "the resting place tells the speeds apart";
    EXPECT_TRUE(view.isTestMode());
    EXPECT_EQ(code(8, 5), "$") << "a click in test mode paints nothing";
}

TEST_F(TestModeTest, DroppingIntoTheCupEndsTestMode) {
    level().block(4, 5).fromText("S0H8");
    level().block(5, 5).fromText("S0H8");
    setStartPosition(level(), 2.5, 5.5);
    view.toggleTestMode();
    view.setSpeedMode(Fastest);
    click(QPoint(5 + 4 * Cell + 20, Top + 5 * Cell + 20));  // speed 3, straight right
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isTestMode(); }));
    EXPECT_FALSE(action(EditorCommand::TestMode)->isChecked());
    EXPECT_FALSE(view.isBallRunning());
    // The sunk ball comes back whole: it marks the start again.
    EXPECT_EQ(view.ball().GetRadius(), Ball::DefaultRadius);
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(5 + 2 * Cell + 20, Top + 5 * Cell + 20),
              fromRgbValue(BallStyle{}.colour))
        << "the start marker's body at (2.5, 5.5)";
}

TEST_F(TestModeTest, TurnFlipsAndRandomLevelAreRefusedInTestModeMakeFitIsNot) {
    level().block(1, 1).fromText("S0T8");
    level().block(3, 2).fromText("S0T8");
    const std::string text = level().toText();
    view.toggleTestMode();
    // Disabled, and refused even when called directly.
    const std::pair<EditorCommand, void (LevelCommands::*)()> refused[] = {
        {EditorCommand::RotateLevel, &LevelCommands::rotateLevel},
        {EditorCommand::FlipHorizontal, &LevelCommands::flipHorizontal},
        {EditorCommand::FlipVertical, &LevelCommands::flipVertical},
        {EditorCommand::RandomLevel, &LevelCommands::createRandomLevel}};
    for (const auto& [id, command] : refused) {
        EXPECT_FALSE(action(id)->isEnabled());
        (view.levelCommands().*command)();
    }
    EXPECT_EQ(level().toText(), text);

    action(EditorCommand::MakeFit)->trigger();
    EXPECT_EQ(std::pair(level().width(), level().height()), std::pair(3, 2));
    view.undo();
    EXPECT_EQ(level().toText(), text) << "Make fit was the only undo step";

    view.toggleTestMode();
    EXPECT_TRUE(action(EditorCommand::RotateLevel)->isEnabled());
    action(EditorCommand::RotateLevel)->trigger();
    EXPECT_EQ(code(8, 1), "S1T8");
}

TEST_F(TestModeTest, ShiftingMovesTheLevelUnderTheRollingBall) {
    level().block(2, 2).fromText("S0T8");
    view.toggleTestMode();
    view.setSpeedMode(Pause);
    click(at(9, 9));
    ASSERT_TRUE(view.isBallRunning());
    action(EditorCommand::ShiftRight)->trigger();
    // The change waits for the worker's next notification, about 10 ms away.
    ASSERT_TRUE(QTest::qWaitFor([&] { return code(3, 2) == "S0T8"; }));
    EXPECT_EQ(code(2, 2), "$");
    EXPECT_TRUE(view.isBallRunning()) << "the ball rolls on";
    view.undo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return code(2, 2) == "S0T8"; }));
    view.stopBall();
    EXPECT_EQ(view.ball().GetX(), 5.0);
}

TEST_F(TestModeTest, NewLevelEndsTestModeAndStopsTheBall) {
    view.toggleTestMode();
    view.setSpeedMode(Pause);
    click(at(9, 9));
    ASSERT_TRUE(view.isBallRunning());
    prompts.propertiesAnswer = [](LevelProperties& values) {
        values.width = 12;
        values.height = 8;
        return true;
    };
    ASSERT_TRUE(document.fileNew());
    EXPECT_FALSE(view.isBallRunning());
    EXPECT_FALSE(view.isTestMode());
    EXPECT_EQ(level().width(), 12);
}

TEST_F(TestModeTest, SpeedCommandsAreRadioItemsThatSetTheBallsMode) {
    EXPECT_TRUE(speedItem(Normal)->isChecked()) << "at start";
    speedItem(NextPosition)->trigger();
    EXPECT_EQ(view.speedMode(), NextPosition);
    EXPECT_EQ(view.ball().GetSpeedMode(), NextPosition);
    EXPECT_TRUE(speedItem(NextPosition)->isChecked());
    EXPECT_FALSE(speedItem(Normal)->isChecked());
    view.setSpeedMode(Half);
    EXPECT_TRUE(speedItem(Half)->isChecked());
    view.setSpeedMode(static_cast<SpeedMode>(9));
    EXPECT_EQ(view.speedMode(), Half) << "no such mode";
}

// Test mode's feedback: the strokes and where a putt ended, in the status bar's message.
class TestModeFeedbackTest : public TestModeTest {
protected:
    QString said() const { return bar.currentMessage(); }
    // The roll has ended and the view has heard how.
    void waitForRest() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view.testRound().rolling(); }));
    }
    // Bright green, yellow or red pixels (the force ramp's colours) that `before` did not
    // show where the view now shows them.
    int meterPixels(const QImage& before) {
        const QImage shown = view.grab().toImage();
        int count = 0;
        for (int y = Top; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                count += shown.pixel(x, y) != before.pixel(x, y) && c.saturation() > 150 &&
                         c.value() > 180 && c.hue() >= 0 && c.hue() <= 140;
            }
        }
        return count;
    }

    EditorStatusBar bar{view, actions};
};

TEST_F(TestModeFeedbackTest, BallLostInWaterThenHoledCountsBothStrokes) {
    level().block(0, 5).fromText("S0W8");
    level().block(1, 5).fromText("S0W8");
    level().block(4, 5).fromText("S0H8");
    level().block(5, 5).fromText("S0H8");
    setStartPosition(level(), 2.5, 5.5);
    view.toggleTestMode();
    view.setSpeedMode(Fastest);
    EXPECT_EQ(said(), "Strokes: 0");

    click(at(0, 5));  // 2.5 blocks to the left: speed 6 into the water
    waitForRest();
    EXPECT_EQ(view.testRound().outcome(), TestOutcome::Water);
    EXPECT_EQ(std::pair(view.ball().GetX(), view.ball().GetY()), std::pair(2.5, 5.5))
        << "back where the putt began";
    EXPECT_EQ(said(), "Water: the ball is back where the putt began. Strokes: 1");

    click(at(4, 5));  // speed 3, straight right into the cup
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isTestMode(); }));
    EXPECT_EQ(view.testRound().strokes(), 2);
    EXPECT_EQ(said(), "In the cup in 2 strokes") << "the word outlasts test mode";

    view.toggleTestMode();
    EXPECT_EQ(said(), "Strokes: 0") << "a new go starts from nothing";
}

TEST_F(TestModeFeedbackTest, DryPuttOnlyCountsAndTheWaterWordGoes) {
    level().block(0, 5).fromText("S0W8");
    setStartPosition(level(), 1.5, 5.5);
    view.toggleTestMode();
    view.setSpeedMode(Fastest);
    click(at(0, 4, 0, 39));  // speed 3, left into the water
    waitForRest();
    ASSERT_EQ(view.testRound().outcome(), TestOutcome::Water);
    click(at(3, 5));  // speed 3, right over dry grass
    waitForRest();
    EXPECT_EQ(view.testRound().outcome(), TestOutcome::Resting);
    EXPECT_EQ(said(), "Strokes: 2");
    EXPECT_TRUE(view.isTestMode());
}

TEST_F(TestModeFeedbackTest, FirstStrokeInTheCupIsAHoleInOne) {
    level().block(4, 5).fromText("S0H8");
    setStartPosition(level(), 2.5, 5.5);
    view.toggleTestMode();
    view.setSpeedMode(Fastest);
    click(at(4, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.isTestMode(); }));
    EXPECT_EQ(said(), "In the cup with the first stroke: a hole in one");
}

TEST_F(TestModeFeedbackTest, AimAndForceShowWhileTheBallRestsAndGrowWithDistance) {
    setStartPosition(level(), 1.5, 1.5);
    view.toggleTestMode();
    const QImage plain = view.grab().toImage();
    QTest::mouseMove(&view, at(1, 1, 30, 30));
    const int weak = meterPixels(plain);
    QTest::mouseMove(&view, at(8, 8));
    const int strong = meterPixels(plain);
    EXPECT_GT(strong, weak) << "a farther click putts harder, and the meter fills more";
    // The line from the ball to the pointer crosses cell (5, 5)'s middle.
    EXPECT_NE(view.grab().toImage().pixel(at(5, 5)), plain.pixel(at(5, 5)));

    view.setSpeedMode(Pause);
    click(at(8, 8));
    ASSERT_TRUE(view.isBallRunning());
    EXPECT_EQ(meterPixels(plain), 0) << "no aim while the ball rolls";
    EXPECT_EQ(view.grab().toImage().pixel(at(5, 5)), plain.pixel(at(5, 5)));
    EXPECT_EQ(said(), "Strokes: 1");
    view.stopBall();
}

}  // namespace
}  // namespace trundlex::testing
