#include <gtest/gtest.h>

#include <tuple>

#include "LibraryTestSupport.h"
#include "library/Course.h"
#include "library/LevelLibrary.h"

namespace trundlex {
namespace {

using testing::ArchiveBytes;
using testing::courseFileBytes;
using testing::FileSizeLimit;
using testing::readBytes;
using testing::ScriptedRandom;
using testing::TempFolder;
using testing::writeBytes;

class CourseTest : public ::testing::Test {
protected:
    Course makeCourse(std::string_view name, const std::vector<std::string>& levelIds) {
        Course course;
        course.setName(name);
        for (const std::string& levelId : levelIds) {
            course.addLevelId(levelId);
        }
        course.setPath(folder_ / "course.cou");
        return course;
    }

    Course loadBack(const std::string& path) {
        Course course;
        EXPECT_TRUE(course.load(path)) << path;
        return course;
    }

    TempFolder folder_;
};

TEST_F(CourseTest, EmptyCourseWritesMagicNameIdAndZeroCount) {
    Course course = makeCourse("Golf", {});
    ScriptedRandom random({0});
    ASSERT_TRUE(course.save(random));

    // "Golf" from a start value of 0: ((71 * 37 + 111) * 37 + 108) * 37 + 102.
    EXPECT_EQ(course.id(), "3752420");
    EXPECT_EQ(readBytes(course.path()),
              std::string("\x10TrundlexCourse 1\x04Golf\0073752420\0\0\0\0", 34));
    EXPECT_EQ(loadBack(course.path()), course);
}

TEST_F(CourseTest, RoundTripKeepsLongStringsANegativeIdAndTheLevelOrder) {
    const std::string longName(255, 'n');
    const std::string longId(70000, 'x');
    Course course = makeCourse(longName, {"3", longId, "1", "3", ""});
    ScriptedRandom random({1});
    ASSERT_TRUE(course.save(random));
    EXPECT_EQ(course.id(), "-1940487138");

    EXPECT_EQ(readBytes(course.path()).substr(17, 3), std::string("\xff\xff\x00", 3))
        << "255 bytes take 0xFF + 16 bits";
    EXPECT_TRUE(loadBack(course.path()) == course) << "name, negative ID and level order kept";
}

TEST_F(CourseTest, SaveFillsAnEmptyIdFromTheRandomStartAndTheTexts) {
    // Name and level IDs are mixed in without separators: 2, then "a", "b", "c".
    Course course = makeCourse("ab", {"c"});
    ScriptedRandom random({2});
    ASSERT_TRUE(course.save(random));
    EXPECT_EQ(course.id(), "237824");
    EXPECT_EQ(loadBack(course.path()).id(), "237824");

    // Bytes above 0x7F count as negative; the sum wraps at 32 bits and may end negative.
    const std::tuple<const char*, std::vector<std::string>, int, const char*> cases[] = {
        {"\x80", {}, 0, "-128"},
        {"Front nine", {"123", "-456"}, 32767, "-1405389688"},
        {"zzzzzzzz", {}, 32767, "862894927"}};
    for (const auto& [name, ids, start, id] : cases) {
        ScriptedRandom draws({start});
        EXPECT_EQ(makeCourse(name, ids).generateId(draws), id) << name;
    }
}

TEST_F(CourseTest, SaveKeepsAnExistingIdWithoutDrawingAndOnlyANewNameEmptiesIt) {
    Course course = makeCourse("Back nine", {"1", "2"});
    ScriptedRandom random({10, 20, 30});
    ASSERT_TRUE(course.save(random));
    const std::string first = course.id();
    course.setName("Back nine");
    course.clearLevelIds();
    course.addLevelId("9");
    ASSERT_TRUE(course.save(random));
    EXPECT_EQ(random.drawsTaken(), 1u);
    EXPECT_EQ(course.id(), first);
    EXPECT_TRUE(loadBack(course.path()) == course) << "the kept ID and the new levels saved";

    course.setName("back nine");
    EXPECT_EQ(course.id(), "");
    ASSERT_TRUE(course.save(random));
    EXPECT_NE(course.id(), first);
}

TEST_F(CourseTest, ReplacingALevelIdChangesEveryPlaceOfItAndKeepsTheCourseId) {
    LevelLibrary library(folder_.path().string());
    for (const char* id : {"old", "new", "other"}) {
        Level level(3, 3, id, "tests");
        level.setId(id);
        library.add(level);
    }
    Course course = makeCourse("Follows", {"old", "other", "old"});
    ScriptedRandom random({7});
    ASSERT_TRUE(course.save(random));
    const std::string courseId = course.id();

    EXPECT_EQ(course.replaceLevelId("ol", "new"), 0) << "whole IDs only";
    EXPECT_EQ(course.replaceLevelId("old", "new"), 2);
    ASSERT_TRUE(course.save(random));
    const Course saved = loadBack(course.path());
    ASSERT_EQ(saved.levelCount(), 3);
    EXPECT_EQ(saved.levelId(0) + saved.levelId(1) + saved.levelId(2), "newothernew");
    // The high scores are keyed by the ID the course resolves to.
    EXPECT_EQ(saved.resolve(library).courseId, courseId);
    EXPECT_EQ(random.drawsTaken(), 1u);
}

TEST_F(CourseTest, TwoProgramsSavingCoursesOfOneNameKeepBoth) {
    ScriptedRandom random({1});
    Course mine = makeCourse("Golf", {"a"});
    Course theirs = makeCourse("Golf", {"b"});
    ASSERT_TRUE(mine.save(random, Course::OtherCourse::Keep));
    ASSERT_TRUE(theirs.save(random, Course::OtherCourse::Keep));
    EXPECT_EQ(theirs.path(), folder_ / "course-2.cou");
    mine.addLevelId("c");
    ASSERT_TRUE(mine.save(random, Course::OtherCourse::Keep));
    EXPECT_EQ(mine.path(), folder_ / "course.cou") << "its own file is replaced";
    EXPECT_EQ(loadBack(mine.path()), mine);
    EXPECT_EQ(loadBack(theirs.path()), theirs);
    // A path asked for explicitly is replaced, whatever it held.
    theirs.setPath(mine.path());
    ASSERT_TRUE(theirs.save(random));
    EXPECT_EQ(loadBack(folder_ / "course.cou"), theirs);
}

TEST_F(CourseTest, ShortForeignOrMissingFileLeavesTheCourseUnchanged) {
    const std::string whole =
        courseFileBytes("Short", "42", 3, {"level one", "level two", "level three"});
    Course course = makeCourse("Before", {"x"});
    // Cut inside the count, inside the list and inside the last level ID; a count of two
    // billion must be refused, not looped over or reserved.
    for (const std::string& bad :
         {whole.substr(0, 28), whole.substr(0, whole.size() - 12),
          whole.substr(0, whole.size() - 1), courseFileBytes("Huge", "1", 2000000000, {"a"}),
          testing::levelFileBytes("5", "a level"),
          ArchiveBytes().string("TrundlexCourse 2").bytes()}) {
        writeBytes(folder_ / "bad.cou", bad);
        EXPECT_FALSE(course.load(folder_ / "bad.cou")) << bad.size();
    }
    EXPECT_FALSE(course.load(folder_ / "missing.cou"));
    EXPECT_FALSE(course.load(""));
    EXPECT_EQ(course.name(), "Before");
    ASSERT_EQ(course.levelCount(), 1);
    EXPECT_EQ(course.levelId(0), "x");

    writeBytes(folder_ / "whole.cou", whole);
    EXPECT_EQ(loadBack(folder_ / "whole.cou").levelCount(), 3);
    writeBytes(folder_ / "negative.cou", courseFileBytes("Negative", "2", -5));
    EXPECT_EQ(loadBack(folder_ / "negative.cou").levelCount(), 0) << "a negative count reads none";
}

TEST_F(CourseTest, FailedSaveKeepsThePreviousFile) {
    Course course = makeCourse("Kept", {"1"});
    ScriptedRandom random({1});
    ASSERT_TRUE(course.save(random));
    const std::string previous = readBytes(course.path());

    course.addLevelId(std::string(100000, 'L'));
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(course.save(random));
    }
    EXPECT_EQ(readBytes(course.path()), previous);
    EXPECT_EQ(folder_.entryCount(), 2) << "no temporary file beside the course and the lock";

    course.setPath("");
    EXPECT_FALSE(course.save(random));
    course.setPath(folder_ / "missing/folder.cou");
    EXPECT_FALSE(course.save(random));
}

TEST_F(CourseTest, ResolvingFindsLevelsInOrderAndCountsTheMissingOnes) {
    LevelLibrary library(folder_.path().string());
    for (const char* id : {"L1", "L2", "L3"}) {
        Level level(3, 3, std::string("name of ") + id, "tests");
        level.setId(id);
        library.add(level);
    }
    ScriptedRandom random({3});
    Course complete = makeCourse("All there", {"L3", "L1", "L3"});
    ASSERT_TRUE(complete.save(random));
    const auto ids = [](const CourseLevels& resolved) {
        std::string text;
        for (const Level& level : resolved.levels) {
            text += level.id() + " ";
        }
        return text;
    };
    const CourseLevels all = complete.resolve(library);
    EXPECT_TRUE(all.complete());
    EXPECT_EQ(all.courseId, complete.id());
    EXPECT_EQ(ids(all), "L3 L1 L3 ");

    Course partial = makeCourse("Gaps", {"L2", "l1", "L9", "L1"});
    ASSERT_TRUE(partial.save(random));
    const CourseLevels some = partial.resolve(library);
    EXPECT_FALSE(some.complete());
    EXPECT_EQ(std::pair(some.found, some.expected), std::pair(2, 4));
    EXPECT_EQ(some.courseId, "") << "a course with gaps is not that course any more";
    EXPECT_EQ(ids(some), "L2 L1 ");
}

}  // namespace
}  // namespace trundlex
