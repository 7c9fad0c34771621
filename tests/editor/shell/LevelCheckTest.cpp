#include <QSignalSpy>

#include "EditorShellFixture.h"
#include "LevelCheckDialog.h"
#include "solver/Par.h"

namespace trundlex::testing {
namespace {

// The par is worked out on a thread of its own; these tests also run under ThreadSanitizer.
constexpr int ParWait = 120000;

Level levelWithStart(const std::vector<std::string_view>& rows, double x, double y) {
    Level level = asciiLevel(rows);
    level.setStart(x, y);
    return level;
}

TEST(LevelChecker, GivesTheParOrSaysTheLevelCannotBeHoled) {
    LevelChecker checker;
    QSignalSpy spy(&checker, &LevelChecker::finished);
    // A short straight putt on flat grass, and a cup walled in on every side.
    const Level open = levelWithStart({"......", "......", "....O.", "......"}, 1.5, 2.5);
    const Level walled = levelWithStart({".....", "..#..", ".#O#.", "..#.."}, 0.5, 0.5);
    for (const Level* level : {&open, &walled}) {
        checker.start(*level);
        EXPECT_TRUE(checker.isRunning());
        ASSERT_TRUE(spy.wait(ParWait));
    }
    ASSERT_EQ(spy.count(), 2);
    const int par = spy[0][0].toInt();
    EXPECT_TRUE(par >= 1 && par <= 2) << par;
    EXPECT_EQ(spy[1][0].toInt(), 0);
    EXPECT_EQ(LevelChecker::verdict(0),
              QStringLiteral("The level cannot be holed in %1 strokes.").arg(ParStrokeLimit));
    EXPECT_FALSE(checker.isRunning());
}

TEST(LevelChecker, AParAtTheStrokeLimitSaysWhyItStopsThere) {
    const QString limit = LevelChecker::verdict(ParStrokeLimit);
    EXPECT_TRUE(limit.startsWith(QStringLiteral("Par %1: ").arg(ParStrokeLimit)))
        << limit.toStdString();
    EXPECT_TRUE(limit.contains(QStringLiteral("perfect putts"))) << limit.toStdString();
    EXPECT_EQ(LevelChecker::verdict(ParStrokeLimit - 1),
              QStringLiteral("Par %1.").arg(ParStrokeLimit - 1))
        << "a par below the limit needs no word";
}

TEST(LevelChecker, OnlyTheLastLevelAskedForIsReported) {
    QSignalSpy* spy = nullptr;
    {
        LevelChecker checker;
        spy = new QSignalSpy(&checker, &LevelChecker::finished);
        const Level walled = levelWithStart({".....", "..#..", ".#O#.", "..#.."}, 0.5, 0.5);
        checker.start(levelWithStart({"..........", "...~~~....", "........O."}, 0.5, 0.5));
        checker.start(walled);
        ASSERT_TRUE(spy->wait(ParWait));
        EXPECT_EQ(spy->count(), 1);
        EXPECT_EQ(spy->front()[0].toInt(), 0) << "the par of the walled level";
        // Given up half way and destroyed: the checker waits for its thread, reports nothing.
        checker.start(asciiLevel({"..........", "...~~~....", "........O."}));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(spy->count(), 1);
    delete spy;
}

using LevelCheckDialogTest = EditorShellTest;

TEST_F(LevelCheckDialogTest, ShowsItIsBusyWhileTheParIsWorkedOutAndGivesUpWhenTheLevelChanges) {
    level() = levelWithStart({"..........", "...~~~....", "........O."}, 0.5, 0.5);
    LevelCheckDialog dialog(document);
    dialog.check();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.isWorking());
    EXPECT_TRUE(dialog.isBusyShown());
    EXPECT_TRUE(dialog.text().contains(QStringLiteral("No problems found.")));
    EXPECT_TRUE(dialog.text().contains(QStringLiteral("Working out par...")));

    plotWall(9, 0);
    EXPECT_FALSE(dialog.isWorking()) << "an edit gives the par up";
    EXPECT_FALSE(dialog.isBusyShown());
    EXPECT_TRUE(dialog.text().contains(QStringLiteral("Check Again")));

    QSignalSpy shown(&dialog, &LevelCheckDialog::parShown);
    dialog.check();
    EXPECT_TRUE(dialog.isBusyShown());
    ASSERT_TRUE(shown.wait(ParWait));
    EXPECT_FALSE(dialog.isBusyShown()) << "the par is known";
    EXPECT_TRUE(dialog.text().contains(QStringLiteral("Par "))) << dialog.text().toStdString();
    dialog.close();
}

TEST_F(LevelCheckDialogTest, NamesCellsAndMarksThoseOfTheSelectedProblemUntilClosed) {
    level() = levelWithStart({"#..O", "....", "O..."}, 0.5, 0.5);
    LevelCheckDialog dialog(document);
    QSignalSpy marked(&dialog, &LevelCheckDialog::cellsHighlighted);
    dialog.check();
    EXPECT_EQ(dialog.text().split(QLatin1Char('\n')).mid(0, 2),
              (QStringList{QStringLiteral("The ball starts inside a wall (column 0, row 0)."),
                           QStringLiteral("Two cups: column 3, row 0 and column 0, row 2.")}));
    EXPECT_FALSE(dialog.isWorking()) << "no par for a ball that cannot start";
    EXPECT_FALSE(dialog.isBusyShown());
    EXPECT_FALSE(dialog.text().contains(QStringLiteral("Par")));
    EXPECT_FALSE(dialog.text().contains(QStringLiteral("cannot be holed")));

    marked.clear();
    dialog.selectProblem(1);
    ASSERT_EQ(marked.count(), 1);
    EXPECT_EQ(marked[0][0].value<std::vector<trundlex::Cell>>(), (std::vector<trundlex::Cell>{{3, 0}, {0, 2}}));
    dialog.selectProblem(0);
    EXPECT_EQ(marked.last()[0].value<std::vector<trundlex::Cell>>(), (std::vector<trundlex::Cell>{{0, 0}}));
    dialog.close();
    EXPECT_TRUE(marked.last()[0].value<std::vector<trundlex::Cell>>().empty()) << "closing clears the mark";
}

TEST_F(LevelCheckDialogTest, AMissingCupIsNotFollowedByAParVerdict) {
    LevelCheckDialog dialog(document);
    dialog.check();
    EXPECT_TRUE(dialog.text().contains(QStringLiteral("The level has no cup.")));
    EXPECT_FALSE(dialog.isWorking());
    EXPECT_FALSE(dialog.text().contains(LevelChecker::verdict(0)));
    dialog.close();
}

TEST_F(LevelCheckDialogTest, TheViewFramesTheMarkedCells) {
    const auto framePixels = [this] {
        const QImage shown = view.grab().toImage();
        int count = 0;
        for (int y = at(2, 3, -4, -4).y(); y <= at(2, 3, Cell + 3, Cell + 3).y(); ++y) {
            for (int x = at(2, 3, -4, -4).x(); x <= at(2, 3, Cell + 3, Cell + 3).x(); ++x) {
                count += shown.pixelColor(x, y) == QColor(255, 40, 200);
            }
        }
        return count;
    };
    EXPECT_EQ(framePixels(), 0);
    view.setHighlightedCells({{2, 3}});
    EXPECT_GT(framePixels(), 4 * Cell) << "a frame runs round the cell";
    view.setHighlightedCells({});
    EXPECT_EQ(framePixels(), 0);
}

}  // namespace
}  // namespace trundlex::testing
