#include "GameShellFixture.h"
#include "HighScoreDialog.h"
#include "library/Course.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

TEST_F(GameShellTest, HighScoreDialogNamesCoursesAndClearsLists) {
    Course named;
    named.setName("Classic");
    const TempFolder folder;
    named.setPath(folder / "classic.cou");
    ASSERT_TRUE(named.save(random_));
    courses_.add(named);
    highScores_.add(named.id(), "Ann", 30, 1000);
    highScores_.add(named.id(), "Bob", 25, 2000);
    highScores_.add("12345", "Cid", 40, 3000);

    HighScoreDialog dialog(highScores_, courses_, "12345");
    EXPECT_EQ(dialog.courseNames(), (QStringList{"Classic", "Unknown course"}));
    EXPECT_EQ(dialog.shownRows(), (QStringList{"Cid\t40"})) << "the preselected course";

    dialog.clearSelectedCourse();
    EXPECT_EQ(dialog.courseNames(), (QStringList{"Classic"}));
    EXPECT_EQ(dialog.shownRows(), (QStringList{"Bob\t25", "Ann\t30"})) << "best first";
    EXPECT_EQ(highScores_.courseCount(), 1);
    EXPECT_TRUE(dialog.emptyNote().isEmpty()) << "a list is shown";

    dialog.clearSelectedCourse();
    EXPECT_EQ(dialog.emptyNote(), QStringLiteral("No high scores yet."));
    EXPECT_TRUE(dialog.shownRows().isEmpty());
}

TEST_F(GameShellTest, HighScoreDialogSaysWhichGamesEnterTheList) {
    // Said whether or not there is a list, as the reason an empty one is empty.
    HighScoreDialog dialog(highScores_, courses_, {});
    EXPECT_EQ(dialog.emptyNote(), QStringLiteral("No high scores yet."));
    const QString rule = dialog.rule();
    EXPECT_TRUE(rule.contains(QStringLiteral("whole course"))) << rule.toStdString();
    EXPECT_TRUE(rule.contains(QStringLiteral("single levels"))) << rule.toStdString();
}

}  // namespace
}  // namespace trundlex::testing
