#include <gtest/gtest.h>

#include <filesystem>

#include "level/LevelId.h"
#include "model/LevelCourses.h"
#include "model/LevelSaving.h"
#include "support/AsciiLevel.h"
#include "support/FixedTime.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

class SavePlanTest : public ::testing::Test {
protected:
    SavePlanTest() {
        opened = asciiLevel({"####", "#.o#", "#~.#", "####"});
        opened.setName("Pond");
        opened.setId("opened-id");
    }
    Level opened;
};

TEST_F(SavePlanTest, AnUnchangedLevelKeepsItsIdAndIsNotWrittenOverItsOwnFile) {
    Level editing = opened;
    editing.setId("stale");  // what an undo across a save leaves in the level does not count
    const SavePlan plan = planSave(editing, &opened, &opened, marchFifthAt(7, 9));
    EXPECT_EQ(plan.id, "opened-id");
    EXPECT_FALSE(plan.write);
    EXPECT_EQ(plan.replacedId, "");

    const SavePlan elsewhere = planSave(editing, &opened, nullptr, marchFifthAt(7, 9));
    EXPECT_EQ(elsewhere.id, "opened-id") << "a copy of the same level is the same level";
    EXPECT_TRUE(elsewhere.write);
}

TEST_F(SavePlanTest, AnyChangeGivesANewIdThatThePreviousFileStateHandsOver) {
    Level renamed = opened;
    renamed.setName("Big pond");
    Level moved = opened;
    moved.setStart(2.5, 1.5);
    Level painted = opened;
    painted.block(1, 1) = opened.block(0, 0);
    for (const Level& editing : {renamed, moved, painted}) {
        const SavePlan plan = planSave(editing, &opened, &opened, marchFifthAt(7, 9));
        EXPECT_EQ(plan.id, makeLevelId(editing, marchFifthAt(7, 9))) << editing.toText();
        EXPECT_TRUE(plan.write);
        EXPECT_EQ(plan.replacedId, "opened-id");
    }
}

// Guards against a level changed only in its name getting its old ID back when saved at the
// same second of a later minute (the ID's time has no minutes).
TEST_F(SavePlanTest, AChangeSavedAtTheSameSecondOfAnotherMinuteStillGetsANewId) {
    opened.setId(makeLevelId(opened, marchFifthAt(7, 59)));
    Level renamed = opened;
    renamed.setName("Other name");
    const SavePlan plan = planSave(renamed, &opened, &opened, marchFifthAt(8, 59));
    EXPECT_NE(plan.id, opened.id());
    EXPECT_EQ(plan.id, makeLevelId(renamed, marchFifthAt(8, 0)));
}

TEST_F(SavePlanTest, ALevelWithoutAFileOrIdGetsANewOneAndReplacesNoOtherLevel) {
    const SavePlan untitled = planSave(opened, nullptr, nullptr, marchFifthAt(7, 9));
    EXPECT_EQ(untitled.id, makeLevelId(opened, marchFifthAt(7, 9)));
    EXPECT_TRUE(untitled.write);

    Level stranger = opened;
    stranger.setId("someone-else");
    const SavePlan over = planSave(opened, nullptr, &stranger, marchFifthAt(7, 9));
    EXPECT_TRUE(over.write);
    EXPECT_EQ(over.replacedId, "") << "the file held another level, not an earlier state";

    Level noId = opened;
    noId.setId("");
    EXPECT_EQ(planSave(noId, &noId, nullptr, marchFifthAt(7, 9)).id, makeLevelId(noId, marchFifthAt(7, 9)));
}

class LevelCoursesTest : public ::testing::Test {
protected:
    std::string coursePath(const char* name) const { return folder / name; }
    Course saveCourse(const char* file, const char* name, std::vector<std::string> levels) {
        Course course;
        course.setName(name);
        for (const std::string& level : levels) {
            course.addLevelId(level);
        }
        course.setPath(coursePath(file));
        writeBytes(course.path(), "");  // makes the folders
        EXPECT_TRUE(course.save(random));
        return course;
    }
    Course loadCourse(const char* file) const {
        Course course;
        EXPECT_TRUE(course.load(coursePath(file)));
        return course;
    }

    TempFolder folder;
    ScriptedRandom random{{1, 2, 3, 4}};
};

TEST_F(LevelCoursesTest, FindsTheCoursesListingTheLevelAlsoInSubfolders) {
    saveCourse("a.cou", "A", {"x", "lev"});
    saveCourse("sub/b.cou", "B", {"lev"});
    saveCourse("c.cou", "C", {"x", "levels"});
    writeBytes(coursePath("d.cou"), "not a course");
    const LevelCourses found(folder.path().string(), "lev");
    ASSERT_EQ(found.count(), 2);
    EXPECT_EQ(found.courses()[0].name() + found.courses()[1].name(), "AB");
    EXPECT_EQ(LevelCourses(coursePath("missing"), "lev").count(), 0);
    EXPECT_EQ(LevelCourses(folder.path().string(), "").count(), 0);
}

TEST_F(LevelCoursesTest, FollowingPutsTheNewIdInEveryPlaceAndKeepsEachCourseId) {
    const Course a = saveCourse("a.cou", "A", {"lev", "x", "lev"});
    const Course c = saveCourse("c.cou", "C", {"x"});
    LevelCourses found(folder.path().string(), "lev");
    EXPECT_TRUE(found.follow("lev2").empty());

    const Course followed = loadCourse("a.cou");
    ASSERT_EQ(followed.levelCount(), 3);
    EXPECT_EQ(followed.levelId(0) + followed.levelId(1) + followed.levelId(2), "lev2xlev2");
    EXPECT_EQ(followed.id(), a.id()) << "high scores are kept under the course ID";
    EXPECT_EQ(followed.name(), "A");
    EXPECT_EQ(loadCourse("c.cou"), c) << "a course without the level is left alone";
}

TEST_F(LevelCoursesTest, ACourseThatCannotBeSavedIsReportedAndTheOthersStillFollow) {
    saveCourse("a.cou", "A", {"lev"});
    saveCourse("b.cou", "B", {"lev"});
    LevelCourses found(folder.path().string(), "lev");
    // A folder where the new file must go: the last step of the safe write fails.
    std::filesystem::remove(coursePath("a.cou"));
    writeBytes(coursePath("a.cou/inside"), "x");
    const auto failures = found.follow("lev2");
    ASSERT_EQ(failures.size(), 1u);
    // (Compared as paths: Windows writes either separator.)
    EXPECT_EQ(std::filesystem::path(failures.front().path).lexically_normal(),
              std::filesystem::path(coursePath("a.cou")).lexically_normal());
    EXPECT_FALSE(failures.front().error.empty());
    EXPECT_EQ(loadCourse("b.cou").levelId(0), "lev2");
}

}  // namespace
}  // namespace trundlex::testing
