#include <QSignalSpy>

#include "EditorShellFixture.h"
#include "LevelCheckDialog.h"
#include "solver/Par.h"

namespace trundlex::testing {
namespace {


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

}  // namespace
}  // namespace trundlex::testing
