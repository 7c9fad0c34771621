#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "level/LevelId.h"
#include "library/Course.h"
#include "solver/ShippedPars.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"
#include "util/FileLock.h"

namespace trundlex::testing {
namespace {

namespace fs = std::filesystem;

// A level text with the given ID and one cell that differs between callers, so that levels
// built from it have different blocks.
std::string levelText(const std::string& id, const std::string& cell) {
    return "{Trundlex1}\r\n{" + id + "}\r\n{Tiny}{Tester}\r\n{2}{2}\r\n{1.000000}{1.000000}\r\n" +
           "{S0T8}{" + cell + "}\r\n{$}{C0G8H8}\r\n";
}

class CourseCommandsTest : public ::testing::Test {
protected:
    // A level file holding the level text as it is, so its ID is the text's.
    std::string levelFile(const std::string& name, const std::string& id, const std::string& cell) {
        return folder.write(name, encodeArchiveString(levelText(id, cell)));
    }

    TempFolder folder;
    const std::string course = folder / "c.cou";
    ToolRunner tool;
};

TEST_F(CourseCommandsTest, PackedCourseListsItsLevelsInTheGivenOrder) {
    const std::string first = levelFile("first.lev", "111", "$");
    const std::string second = levelFile("second.lev", "-2222", "S0S8");
    ASSERT_EQ(tool.run("course-pack", {course, "My Course", second, first, second}), 0)
        << tool.err();
    Course loaded;
    ASSERT_TRUE(loaded.load(course));
    ASSERT_FALSE(loaded.id().empty()) << "a saved course has an ID";
    ASSERT_EQ(tool.run("course-info", {course}), 0) << tool.err();
    EXPECT_EQ(tool.out(),
              "name: My Course\nid: " + loaded.id() + "\nlevel: -2222\nlevel: 111\nlevel: -2222\n");
}

TEST_F(CourseCommandsTest, LevelsThatCannotBeUsedAreRefusedAndNothingIsWritten) {
    const std::string good = levelFile("good.lev", "7", "$");
    const std::string junk = folder.write("junk.lev", encodeArchiveString("not a level at all"));
    EXPECT_EQ(tool.run("course-pack", {course, "Broken", good, junk}), 1);
    EXPECT_NE(tool.err().find("junk.lev"), std::string::npos) << tool.err();
    EXPECT_NE(tool.err().find("cannot be read as a level file"), std::string::npos);
    EXPECT_EQ(tool.run("course-pack", {course, "Missing", folder / "none.lev"}), 1);
    EXPECT_FALSE(tool.err().empty());
    EXPECT_EQ(tool.run("course-pack", {course, "Nameless", levelFile("noid.lev", "", "$")}), 1);
    EXPECT_NE(tool.err().find("no ID"), std::string::npos) << tool.err();
    EXPECT_FALSE(fs::exists(course));
}

TEST_F(CourseCommandsTest, AHeldCourseLockIsReportedInsteadOfWaitedOnForEver) {
    const FileLock held(folder / ".courses");
    ASSERT_TRUE(held.locked());
    EXPECT_EQ(tool.run("course-pack", {course, "Locked", levelFile("a.lev", "7", "$")}), 1);
    EXPECT_NE(tool.err().find("is held by process"), std::string::npos) << tool.err();
    EXPECT_FALSE(fs::exists(course));
}

TEST_F(CourseCommandsTest, InfoRefusesWhatIsNotACourse) {
    EXPECT_EQ(tool.run("course-info", {levelFile("level.lev", "1", "$")}), 1);
    EXPECT_NE(tool.err().find("cannot be read as a course file"), std::string::npos);
    EXPECT_EQ(tool.run("course-info", {folder / "none.cou"}), 1);
    EXPECT_TRUE(tool.out().empty());
}

TEST_F(CourseCommandsTest, NewIdIsTheIdTheEditorWouldGiveDuringThePack) {
    const std::string text = levelText("12345", "S1I2");
    const std::string lev = folder / "fresh.lev";
    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(tool.run("level-pack", {"--new-id", folder.write("fresh.txt", text), lev}), 0)
        << tool.err();
    const std::time_t after = std::time(nullptr);

    Level packed;
    ASSERT_TRUE(loadLevelFile(lev, packed) == LevelLoadResult::Loaded);
    EXPECT_NE(tool.out().find(packed.id()), std::string::npos) << "the new ID is reported";
    Level parsed;
    ASSERT_TRUE(parsed.fromText(text));
    std::vector<std::string> expected;
    for (std::time_t t = before; t <= after; ++t) {
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &t);
#else
        localtime_r(&t, &local);
#endif
        expected.push_back(makeLevelId(parsed, local));
    }
    EXPECT_NE(std::find(expected.begin(), expected.end(), packed.id()), expected.end())
        << packed.id() << " is not " << expected.front();
    // Only the ID changes: the rest of the level is as the text says.
    parsed.setId(packed.id());
    EXPECT_EQ(packed.toText(), parsed.toText());
}

// A levels folder of twelve levels "100", "101"... with a table of pars for all but the last,
// whose pars run 2, 3, 4, 5, 2...
class DailyCommandTest : public CourseCommandsTest {
protected:
    void SetUp() override {
        ShippedPars pars;
        for (int i = 0; i < 12; ++i) {
            const std::string id = std::to_string(100 + i);
            const std::string path = levelFile("levels/" + id + ".lev", id, "$");
            Level level;
            ASSERT_EQ(loadLevelFile(path, level), LevelLoadResult::Loaded);
            if (i < 11) {
                ASSERT_TRUE(pars.add(level, 2 + i % 4));
                parOf[id] = 2 + i % 4;
            }
        }
        folder.write("levels/pars.txt", pars.toText());
    }
    // The level lines of the tool's output: ID and par.
    std::vector<std::pair<std::string, int>> levels() const {
        std::vector<std::pair<std::string, int>> found;
        std::istringstream lines(tool.out());
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::string tag, id, parWord;
            int par = -1;
            if (words >> tag >> id >> parWord >> par && tag == "level:" && parWord == "par") {
                found.emplace_back(id, par);
            }
        }
        return found;
    }

    std::map<std::string, int> parOf;
};

TEST_F(DailyCommandTest, PrintsTheDaysCourseFromTheLevelsWithAPar) {
    ASSERT_EQ(tool.run("daily", {"--levels", folder / "levels", "--date", "2026-12-09"}), 0)
        << tool.err();
    EXPECT_TRUE(tool.out().starts_with("name: Today's course 2026-12-09\nid: daily-2026-12-09\n"))
        << tool.out();
    const auto drawn = levels();
    ASSERT_EQ(drawn.size(), 9u) << tool.out();
    std::set<std::string> ids;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const auto& [id, par] = drawn[i];
        ASSERT_TRUE(parOf.contains(id)) << id << " has no par and must not be drawn";
        EXPECT_EQ(par, parOf.at(id));
        EXPECT_TRUE(i == 0 || drawn[i - 1].second <= par) << "hole " << i + 1;
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 9u);
    const std::string first = tool.out();
    ASSERT_EQ(tool.run("daily", {"--levels", folder / "levels", "--date", "2026-12-09"}), 0);
    EXPECT_EQ(tool.out(), first);
    ASSERT_EQ(tool.run("daily", {"--levels", folder / "levels", "--date", "2026-12-08",
                                 "--days", "3"}),
              0);
    EXPECT_EQ(levels().size(), 27u);
    EXPECT_NE(tool.out().find(first), std::string::npos) << "the second of three days";
}

TEST_F(DailyCommandTest, RefusesWhatItCannotDraw) {
    EXPECT_EQ(tool.run("daily", {"--levels", folder / "levels", "--date", "2026-02-29"}), 2);
    EXPECT_EQ(tool.run("daily", {"--levels", folder / "levels", "--days", "0"}), 2);
    fs::remove(folder / "levels/pars.txt");
    EXPECT_EQ(tool.run("daily", {"--levels", folder / "levels"}), 1);
    EXPECT_NE(tool.err().find("pars.txt"), std::string::npos) << tool.err();
    EXPECT_EQ(tool.out(), "");
}

}  // namespace
}  // namespace trundlex::testing
