// Guards the levels and courses that ship in resources/: every level file loads, has an ID of
// its own and exactly one cup, every shipped course finds all of its levels, and the three
// courses together play every level. (That every level can be holed out is proven by the
// putt search in ShippedLevelsPlayableTest.)
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "library/CourseLibrary.h"
#include "library/FolderWalker.h"
#include "library/LevelLibrary.h"

namespace trundlex {
namespace {

namespace fs = std::filesystem;

const fs::path kResources = fs::path(TRUNDLEX_SOURCE_DIR) / "resources";

// The files that the game's libraries look at, found the way they find them.
std::vector<fs::path> filesWithExtension(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    FolderWalker(extension).walk(folder.string(), true,
                                 [&files](const std::string& path) { files.emplace_back(path); });
    return files;
}

// The number of separate cup regions, sampled on a fine grid of points: samples that lie in
// the cup and touch (also diagonally) belong to one region.
int cupRegions(const Level& level) {
    constexpr int perBlock = 8;
    const int w = level.width() * perBlock;
    const int h = level.height() * perBlock;
    std::vector<bool> cup(static_cast<std::size_t>(w * h));
    for (int i = 0; i < w * h; ++i) {
        cup[i] = level.materialKindAt((i % w + 0.5) / perBlock, (i / w + 0.5) / perBlock) == Cup;
    }
    // Clears the region around (x, y); a cup is a few blocks at most, so the depth is small.
    const std::function<void(int, int)> clear = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h && cup[y * w + x]) {
            cup[y * w + x] = false;
            for (int d = 0; d < 9; ++d) {
                clear(x + d % 3 - 1, y + d / 3 - 1);
            }
        }
    };
    int regions = 0;
    for (int i = 0; i < w * h; ++i) {
        if (cup[i]) {
            ++regions;
            clear(i % w, i / w);
        }
    }
    return regions;
}

TEST(ShippedContentTest, EveryLevelLoadsWithAUniqueIdAndOneCup) {
    const std::vector<fs::path> files = filesWithExtension(kResources / "levels", "lev");
    ASSERT_GE(files.size(), 27u) << "the game ships at least 27 levels";
    std::set<std::string> ids;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        Level level;
        ASSERT_EQ(loadLevelFile(file.string(), level), LevelLoadResult::Loaded);
        EXPECT_FALSE(level.name().empty());
        EXPECT_FALSE(level.creator().empty());
        EXPECT_FALSE(level.id().empty());
        EXPECT_TRUE(ids.insert(level.id()).second) << "ID used twice: " << level.id();
        EXPECT_EQ(cupRegions(level), 1);
    }
}

TEST(ShippedContentTest, EveryLevelIsWalledInAndStartsOnOpenGround) {
    for (const fs::path& file : filesWithExtension(kResources / "levels", "lev")) {
        SCOPED_TRACE(file.string());
        Level level;
        ASSERT_EQ(loadLevelFile(file.string(), level), LevelLoadResult::Loaded);
        for (int c = 0; c < level.width(); ++c) {
            EXPECT_TRUE(level.isWallAt(c + 0.5, 0.5)) << "top border at column " << c;
            EXPECT_TRUE(level.isWallAt(c + 0.5, level.height() - 0.5)) << "bottom, column " << c;
        }
        for (int r = 0; r < level.height(); ++r) {
            EXPECT_TRUE(level.isWallAt(0.5, r + 0.5)) << "left border at row " << r;
            EXPECT_TRUE(level.isWallAt(level.width() - 0.5, r + 0.5)) << "right, row " << r;
        }
        const double x = level.startX();
        const double y = level.startY();
        const double r = Level::BallRadius;
        for (const auto& [px, py] :
             {std::pair{x, y}, {x - r, y}, {x + r, y}, {x, y - r}, {x, y + r}}) {
            const std::int32_t kind = level.materialKindAt(px, py);
            EXPECT_NE(kind, Wall) << "the ball starts touching a wall at " << px << " " << py;
            EXPECT_NE(kind, Water) << "the ball starts in water at " << px << " " << py;
            EXPECT_NE(kind, Cup) << "the ball starts in the cup at " << px << " " << py;
        }
    }
}

TEST(ShippedContentTest, EveryCourseFindsAllOfItsLevels) {
    LevelLibrary levels(kResources.string());
    levels.scan(nullptr);
    const std::vector<fs::path> files = filesWithExtension(kResources / "courses", "cou");
    ASSERT_FALSE(files.empty()) << "the game ships a course";
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        Course course;
        ASSERT_TRUE(course.load(file.string()));
        EXPECT_FALSE(course.name().empty());
        EXPECT_FALSE(course.id().empty());
        EXPECT_GE(course.levelCount(), 9);
        const CourseLevels resolved = course.resolve(levels);
        EXPECT_TRUE(resolved.complete())
            << resolved.found << " of " << resolved.expected << " levels found";
        EXPECT_EQ(resolved.courseId, course.id());
    }
}

TEST(ShippedContentTest, ThreeCoursesTogetherPlayEveryLevel) {
    // A beginners' nine, a classic eighteen and a tricky nine; a level may be in more than one
    // course but only once in each, and no shipped level is left out of all of them.
    std::map<std::string, int> holes;
    std::set<std::string> played;
    for (const fs::path& file : filesWithExtension(kResources / "courses", "cou")) {
        SCOPED_TRACE(file.string());
        Course course;
        ASSERT_TRUE(course.load(file.string()));
        holes[course.name()] = course.levelCount();
        std::set<std::string> inCourse;
        for (int i = 0; i < course.levelCount(); ++i) {
            EXPECT_TRUE(inCourse.insert(course.levelId(i)).second)
                << "level " << course.levelId(i) << " twice in " << course.name();
            played.insert(course.levelId(i));
        }
    }
    EXPECT_EQ(holes, (std::map<std::string, int>{
                         {"Beginners' Nine", 9}, {"Classic Eighteen", 18}, {"Tricky Nine", 9}}));
    for (const fs::path& file : filesWithExtension(kResources / "levels", "lev")) {
        Level level;
        ASSERT_EQ(loadLevelFile(file.string(), level), LevelLoadResult::Loaded);
        EXPECT_TRUE(played.count(level.id()) == 1) << level.name() << " is in no course";
    }
}

TEST(ShippedContentTest, TheGameReadsEveryShippedFile) {
    // A level or course that the library drops (unreadable, or an ID taken by another file)
    // would silently be missing from the game.
    LevelLibrary levels(kResources.string());
    levels.scan(nullptr);
    EXPECT_EQ(static_cast<std::size_t>(levels.count()),
              filesWithExtension(kResources / "levels", "lev").size());
    CourseLibrary courses(kResources.string());
    courses.scan(nullptr);
    EXPECT_EQ(static_cast<std::size_t>(courses.count()),
              filesWithExtension(kResources / "courses", "cou").size());
}

}  // namespace
}  // namespace trundlex
