#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "Commands.h"
#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "level/LevelId.h"
#include "library/Course.h"

namespace trundlex::tool {
namespace {

namespace fs = std::filesystem;

// A level text with the given ID and one cell that differs between callers, so that levels
// built from it have different blocks.
std::string levelText(const std::string& id, const std::string& cell) {
    return "{Trundlex1}\r\n{" + id + "}\r\n{Tiny}{Tester}\r\n{2}{2}\r\n{1.000000}{1.000000}\r\n" +
           "{S0T8}{" + cell + "}\r\n{$}{C0G8H8}\r\n";
}

class CourseToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("trundlex-course-tool-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, std::string_view bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }

    // A level file holding the level text as it is, so its ID is the text's.
    std::string levelFile(const std::string& name, const std::string& id, const std::string& cell) {
        return file(name, encodeArchiveString(levelText(id, cell)));
    }

    int run(const std::string& name, std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        for (auto group : {levelCommands, courseCommands}) {
            for (const Command& c : group()) {
                if (name == c.name) {
                    return c.run(args, out_, err_);
                }
            }
        }
        ADD_FAILURE() << "no command " << name;
        return -1;
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CourseToolTest, PackedCourseListsItsLevelsInTheGivenOrder) {
    const std::string first = levelFile("first.lev", "111", "$");
    const std::string second = levelFile("second.lev", "-2222", "S0S8");
    const std::string course = (dir_ / "mine.cou").string();
    ASSERT_EQ(run("course-pack", {course, "My Course", second, first, second}), 0) << err_.str();

    Course loaded;
    ASSERT_TRUE(loaded.load(course));
    ASSERT_FALSE(loaded.id().empty()) << "a saved course has an ID";

    ASSERT_EQ(run("course-info", {course}), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "name: My Course\nid: " + loaded.id() + "\nlevel: -2222\nlevel: 111\nlevel: -2222\n");
}

TEST_F(CourseToolTest, CourseIdIsASigned32BitNumber) {
    const std::string course = (dir_ / "c.cou").string();
    ASSERT_EQ(run("course-pack", {course, "Numbers", levelFile("a.lev", "5", "$")}), 0);
    Course loaded;
    ASSERT_TRUE(loaded.load(course));
    EXPECT_TRUE(std::regex_match(loaded.id(), std::regex("-?[0-9]{1,10}"))) << loaded.id();
    const long long value = std::stoll(loaded.id());
    EXPECT_GE(value, -2147483648LL);
    EXPECT_LE(value, 2147483647LL);
}

TEST_F(CourseToolTest, FileThatIsNotALevelIsRefusedAndNothingIsWritten) {
    const std::string good = levelFile("good.lev", "7", "$");
    const std::string junk = file("junk.lev", encodeArchiveString("not a level at all"));
    const std::string course = (dir_ / "c.cou").string();
    EXPECT_EQ(run("course-pack", {course, "Broken", good, junk}), 1);
    EXPECT_NE(err_.str().find("junk.lev"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("cannot be read as a level file"), std::string::npos);
    EXPECT_FALSE(fs::exists(course));

    EXPECT_EQ(run("course-pack", {course, "Missing", (dir_ / "none.lev").string()}), 1);
    EXPECT_FALSE(err_.str().empty());
    EXPECT_FALSE(fs::exists(course));
}

TEST_F(CourseToolTest, LevelWithoutIdIsRefused) {
    const std::string course = (dir_ / "c.cou").string();
    EXPECT_EQ(run("course-pack", {course, "Nameless", levelFile("noid.lev", "", "$")}), 1);
    EXPECT_NE(err_.str().find("no ID"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(course));
}

TEST_F(CourseToolTest, InfoRefusesWhatIsNotACourse) {
    EXPECT_EQ(run("course-info", {levelFile("level.lev", "1", "$")}), 1);
    EXPECT_NE(err_.str().find("cannot be read as a course file"), std::string::npos);
    EXPECT_EQ(run("course-info", {(dir_ / "none.cou").string()}), 1);
    EXPECT_TRUE(out_.str().empty());
}

TEST_F(CourseToolTest, MissingArgumentsAreUsageErrors) {
    EXPECT_EQ(run("course-pack", {(dir_ / "c.cou").string(), "No levels"}), 2);
    EXPECT_NE(err_.str().find("usage"), std::string::npos);
    EXPECT_EQ(run("level-pack",
                  {"--new-ids", file("a.txt", levelText("1", "$")), (dir_ / "a.lev").string()}),
              2)
        << "an unknown option is not taken for a file";
    EXPECT_FALSE(fs::exists(dir_ / "a.lev"));
    EXPECT_NE(err_.str().find("usage"), std::string::npos);
    EXPECT_EQ(run("course-info", {}), 2);
    EXPECT_FALSE(fs::exists(dir_ / "c.cou"));
}

TEST_F(CourseToolTest, NewIdReplacesTheTextsIdWithHashAndTime) {
    const std::string text = levelText("12345", "S1I2");
    const std::string lev = (dir_ / "fresh.lev").string();
    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(run("level-pack", {"--new-id", file("fresh.txt", text), lev}), 0) << err_.str();
    const std::time_t after = std::time(nullptr);

    Level packed;
    ASSERT_EQ(loadLevelFile(lev, packed), LevelLoadResult::Loaded);
    // An optional minus, the hash's 1 to 10 digits, then 15 digits of time.
    EXPECT_TRUE(std::regex_match(packed.id(), std::regex("-?[0-9]{16,25}"))) << packed.id();
    EXPECT_NE(packed.id(), "12345");
    EXPECT_NE(out_.str().find(packed.id()), std::string::npos) << "the new ID is reported";

    // It is the ID the editor would give the level at some second during the pack.
    Level parsed;
    ASSERT_TRUE(parsed.fromText(text));
    std::vector<std::string> expected;
    for (std::time_t t = before; t <= after; ++t) {
        std::tm local{};
        localtime_r(&t, &local);
        expected.push_back(makeLevelId(parsed, local));
    }
    EXPECT_NE(std::find(expected.begin(), expected.end(), packed.id()), expected.end())
        << packed.id() << " is not " << expected.front();

    // Only the ID changes: the rest of the level is as the text says.
    parsed.setId(packed.id());
    EXPECT_EQ(packed.toText(), parsed.toText());
}

TEST_F(CourseToolTest, NewIdDependsOnTheBlocks) {
    // The time part is the same within one second, but the clock may tick between the two
    // packs: compare the hashes, which are everything before the last 15 digits.
    const auto hashOf = [this](const std::string& cell, const std::string& name) {
        const std::string lev = (dir_ / (name + ".lev")).string();
        EXPECT_EQ(run("level-pack", {file(name + ".txt", levelText("1", cell)), lev, "--new-id"}),
                  0);
        Level level;
        EXPECT_EQ(loadLevelFile(lev, level), LevelLoadResult::Loaded);
        const std::string& id = level.id();
        return id.size() > 15 ? id.substr(0, id.size() - 15) : std::string("too short: " + id);
    };
    const std::string grass = hashOf("$", "grass");
    EXPECT_EQ(hashOf("$", "grass-again"), grass);
    EXPECT_NE(hashOf("S0W8", "water"), grass);
}

TEST_F(CourseToolTest, WithoutNewIdTheTextsIdIsKept) {
    const std::string lev = (dir_ / "kept.lev").string();
    ASSERT_EQ(run("level-pack", {file("kept.txt", levelText("-987", "$")), lev}), 0);
    Level packed;
    ASSERT_EQ(loadLevelFile(lev, packed), LevelLoadResult::Loaded);
    EXPECT_EQ(packed.id(), "-987");
}

}  // namespace
}  // namespace trundlex::tool
