#include <gtest/gtest.h>

#include "model/UserCourses.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

class UserCoursesTest : public ::testing::Test {
protected:
    std::string courses() const { return folder / "courses"; }
    Course load(const std::string& path) const {
        Course course;
        EXPECT_TRUE(course.load(path)) << path;
        return course;
    }

    TempFolder folder;
    ScriptedRandom random{{3, 4, 5}};
};

TEST_F(UserCoursesTest, ANewCourseIsMadeInTheFolderWhichIsCreatedAndListedByName) {
    UserCourses user(courses());
    EXPECT_TRUE(user.courses().empty()) << "no folder yet";
    ASSERT_TRUE(user.create("Zig", "level-1", random));
    ASSERT_TRUE(user.create("Alp", "level-2", random));
    const Course zig = load(courses() + "/Zig.cou");
    ASSERT_EQ(zig.levelCount(), 1);
    EXPECT_EQ(zig.levelId(0), "level-1");
    EXPECT_FALSE(zig.id().empty());

    const UserCourses again(courses());
    ASSERT_EQ(again.courses().size(), 2u);
    EXPECT_EQ(again.courses()[0].name() + again.courses()[1].name(), "AlpZig");
}

TEST_F(UserCoursesTest, ACourseOfTheSameFileNameIsKeptAndTheNewOneGoesBeside) {
    UserCourses user(courses());
    ASSERT_TRUE(user.create("Tour", "a", random));
    ASSERT_TRUE(user.create("Tour", "b", random));
    EXPECT_EQ(load(courses() + "/Tour.cou").levelId(0), "a");
    EXPECT_EQ(load(courses() + "/Tour-2.cou").levelId(0), "b");
    std::string error;
    EXPECT_FALSE(user.create("", "c", random, &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(UserCoursesTest, AddingALevelAppendsItAndKeepsTheCourseId) {
    UserCourses user(courses());
    ASSERT_TRUE(user.create("Tour", "a", random));
    const std::string id = user.courses()[0].id();
    UserCourses reread(courses());
    ASSERT_TRUE(reread.addTo(0, "b", random));
    const Course tour = load(courses() + "/Tour.cou");
    ASSERT_EQ(tour.levelCount(), 2);
    EXPECT_EQ(tour.levelId(0) + tour.levelId(1), "ab");
    EXPECT_EQ(tour.id(), id);
    EXPECT_FALSE(reread.addTo(1, "c", random));
    EXPECT_FALSE(reread.addTo(-1, "c", random));
    EXPECT_EQ(load(courses() + "/Tour.cou").levelCount(), 2);
}

TEST_F(UserCoursesTest, FileNamesLeaveOutWhatFoldersAndHiddenFilesWouldMakeOfThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"Back nine", "Back nine.cou"}, {"a/b\\c:d*e?f\"g<h>i|j", "a-b-c-d-e-f-g-h-i-j.cou"},
        {"..hidden", "hidden.cou"},     {"...", "course.cou"},
        {"tab\there", "tab-here.cou"},  {"S\xc3\xa5gen", "S\xc3\xa5gen.cou"},
    };
    for (const auto& [name, file] : cases) {
        EXPECT_EQ(UserCourses::fileNameFor(name), file) << name;
    }
}

}  // namespace
}  // namespace trundlex::testing
