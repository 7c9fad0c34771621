// The Check Level dialog as a designer meets it: problems named by their cells and framed on
// the level, no verdict that follows from an earlier problem, and the busy bar while the par
// is worked out. (Widgets that paint: not run under ThreadSanitizer, which cannot see Qt's own
// synchronisation; the checker's thread is tested under it in LevelCheckTest.)
#include <QCheckBox>
#include <QSignalSpy>

#include "EditorShellFixture.h"
#include "LevelCheckDialog.h"

namespace trundlex::testing {
namespace {

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

TEST_F(LevelCheckDialogTest, TheSolversPuttsAreShownOnTheLevelUntilItChangesOrTheDialogCloses) {
    // A wall between start and cup: the way bends round its end.
    level() = levelWithStart({"..........", "....#.....", "....#..O..", "....#.....", ".........."},
                             1.5, 2.5);
    view.onInitialUpdate();
    LevelCheckDialog dialog(document);
    QObject::connect(&dialog, &LevelCheckDialog::puttsShown, &view, &CEditorView::setShownPutts);
    QSignalSpy ready(&dialog, &LevelCheckDialog::puttsReady);
    dialog.check();
    EXPECT_FALSE(dialog.showPuttsBox().isEnabled()) << "nothing found yet";
    ASSERT_TRUE(ready.wait(ParWait));
    ASSERT_TRUE(dialog.showPuttsBox().isEnabled());
    EXPECT_TRUE(view.shownPutts().empty()) << "shown when asked for";

    const QImage without = view.grab().toImage();
    dialog.showPuttsBox().click();
    ASSERT_FALSE(view.shownPutts().empty());
    EXPECT_TRUE(view.shownPutts().back().holed);
    const PuttPath::Point start = view.shownPutts().front().points.front();
    EXPECT_DOUBLE_EQ(start.x, 1.5);
    EXPECT_DOUBLE_EQ(start.y, 2.5);
    const QImage with = view.grab().toImage();
    const PixelRect startCell = view.layout().cellsRect({1, 2}, {1, 2});
    const QPoint mark((startCell.left + startCell.right) / 2, (startCell.top + startCell.bottom) / 2);
    EXPECT_NE(with.pixel(mark), without.pixel(mark)) << "the first putt's mark";

    plotWall(9, 0);
    EXPECT_TRUE(view.shownPutts().empty()) << "an edit takes them off the level";
    EXPECT_FALSE(dialog.showPuttsBox().isEnabled());
    EXPECT_FALSE(dialog.showPuttsBox().isChecked());

    ready.clear();
    dialog.check();
    ASSERT_TRUE(ready.wait(ParWait));
    dialog.showPuttsBox().click();
    EXPECT_FALSE(view.shownPutts().empty());
    dialog.close();
    EXPECT_TRUE(view.shownPutts().empty()) << "closing takes them off";
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
