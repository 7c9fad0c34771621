// Guards the levels and courses that ship in resources/ (that every level can be holed out
// is proven by the putt search in ShippedLevelsPlayableTest).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "library/CourseLibrary.h"
#include "library/DailyCourse.h"
#include "library/FolderWalker.h"
#include "library/LevelLibrary.h"
#include "solver/ShippedPars.h"

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

// How far apart two points in the cup lie at most, sampled eight times per block; -1 without a
// cup. A second cup anywhere else on a level shows as a wide span.
double cupSpan(const Level& level) {
    std::vector<std::pair<double, double>> cup;
    for (int i = 0; i < level.width() * level.height() * 64; ++i) {
        const double x = (i % (level.width() * 8) + 0.5) / 8;
        const double y = (i / (level.width() * 8) + 0.5) / 8;
        if (level.materialKindAt(x, y) == Cup) {
            cup.emplace_back(x, y);
        }
    }
    double span = cup.empty() ? -1.0 : 0.0;
    for (const auto& [ax, ay] : cup) {
        for (const auto& [bx, by] : cup) {
            span = std::max(span, std::hypot(ax - bx, ay - by));
        }
    }
    return span;
}

TEST(ShippedContentTest, EveryLevelHasAUniqueIdOneCupWallsAllRoundAndAnOpenStart) {
    const std::vector<fs::path> files = filesWithExtension(kResources / "levels", "lev");
    ASSERT_GE(files.size(), 64u) << "the game ships at least 64 levels";
    std::set<std::string> ids;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        Level level;
        ASSERT_EQ(loadLevelFile(file.string(), level), LevelLoadResult::Loaded);
        EXPECT_FALSE(level.name().empty() || level.creator().empty() || level.id().empty());
        EXPECT_TRUE(ids.insert(level.id()).second) << "ID used twice: " << level.id();
        const double span = cupSpan(level);
        EXPECT_TRUE(span >= 0.0 && span < 3.0) << "one cup, not " << span << " blocks wide";
        const int w = level.width();
        const int h = level.height();
        for (int i = 0; i < 2 * (w + h); ++i) {
            const double x = i < 2 * w ? i % w + 0.5 : (i % 2) * (w - 1) + 0.5;
            const double y = i < 2 * w ? (i / w) * (h - 1) + 0.5 : (i - 2 * w) / 2 + 0.5;
            EXPECT_TRUE(level.isWallAt(x, y)) << "border at " << x << ", " << y;
        }
        const double x = level.startX();
        const double y = level.startY();
        const double r = Level::BallRadius;
        for (const auto& [px, py] :
             {std::pair{x, y}, {x - r, y}, {x + r, y}, {x, y - r}, {x, y + r}}) {
            const std::int32_t kind = level.materialKindAt(px, py);
            EXPECT_TRUE(kind != Wall && kind != Water && kind != Cup) << px << ", " << py;
        }
    }
}

// Ice Rink's cup was once a whole block of cup: the game drew it, as it is, as a dark square,
// which nobody took for a cup. A cup is round: the corners of the box around it are not cup.
TEST(ShippedContentTest, EveryCupIsRound) {
    for (const fs::path& file : filesWithExtension(kResources / "levels", "lev")) {
        SCOPED_TRACE(file.string());
        Level level;
        ASSERT_EQ(loadLevelFile(file.string(), level), LevelLoadResult::Loaded);
        double left = level.width(), top = level.height(), right = 0, bottom = 0;
        for (int i = 0; i < level.width() * level.height() * 64; ++i) {
            const double x = (i % (level.width() * 8) + 0.5) / 8;
            const double y = (i / (level.width() * 8) + 0.5) / 8;
            if (level.materialKindAt(x, y) == Cup) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
        ASSERT_LT(left, right);
        for (const auto& [x, y] : {std::pair{left, top}, {right, top}, {left, bottom}, {right, bottom}}) {
            EXPECT_NE(level.materialKindAt(x, y), Cup) << "a square corner at " << x << ", " << y;
        }
    }
}

TEST(ShippedContentTest, SixCoursesTogetherPlayEveryLevelOfACoursesPar) {
    // Six courses; a level may be in more than one course but only once in each. Every level
    // whose par fits a course (2 to 5; CourseCurveTest) is in one of them; the shorter and the
    // longer ones stay in the library for free play and random courses. A file that the
    // library drops (unreadable, or its ID taken) would be missing from the game.
    LevelLibrary levels(kResources.string());
    levels.scan(nullptr);
    const std::vector<fs::path> levelFiles = filesWithExtension(kResources / "levels", "lev");
    EXPECT_EQ(static_cast<std::size_t>(levels.count()), levelFiles.size());
    CourseLibrary courses(kResources.string());
    courses.scan(nullptr);
    const std::vector<fs::path> files = filesWithExtension(kResources / "courses", "cou");
    EXPECT_EQ(static_cast<std::size_t>(courses.count()), files.size());
    std::map<std::string, int> holes;
    std::set<std::string> played;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        Course course;
        ASSERT_TRUE(course.load(file.string()));
        EXPECT_FALSE(course.id().empty());
        EXPECT_EQ(course.resolve(levels).courseId, course.id());
        holes[course.name()] = course.levelCount();
        std::set<std::string> inCourse;
        for (int i = 0; i < course.levelCount(); ++i) {
            EXPECT_TRUE(inCourse.insert(course.levelId(i)).second) << course.levelId(i);
            played.insert(course.levelId(i));
        }
    }
    EXPECT_EQ(holes, (std::map<std::string, int>{{"Autumn Eighteen", 18},
                                                  {"Beginners' Nine", 9},
                                                  {"Classic Eighteen", 18},
                                                  {"Lakeside Nine", 9},
                                                  {"Summer Eighteen", 18},
                                                  {"Tricky Nine", 9}}));
    ShippedPars pars;
    ASSERT_EQ(pars.load((kResources / "levels" / "pars.txt").string()),
              ShippedPars::ReadResult::Read);
    // The Climb is a par 2 on which the medium computer takes three and a half strokes: it
    // would break a course's curve, so it stays out of the courses.
    const std::set<std::string> leftOut = {"The Climb"};
    for (int i = 0; i < levels.count(); ++i) {
        const int par = pars.lookup(levels.at(i)).value_or(0);
        if (par >= 2 && par <= 5 && !leftOut.contains(levels.at(i).name())) {
            EXPECT_EQ(played.count(levels.at(i).id()), 1u) << levels.at(i).name() << " in no course";
        }
    }
}

// The course of the day rests each level for a week only when the shipped levels that the par
// table knows, as they are, fill seven days of holes: a level added without its line in the
// table, or one changed after the table was written, does not count.
TEST(ShippedContentTest, EnoughLevelsWithAShippedParForAWeekOfDailyCourses) {
    LevelLibrary levels(kResources.string());
    levels.scan(nullptr);
    ShippedPars pars;
    ASSERT_EQ(pars.load((kResources / "levels" / "pars.txt").string()),
              ShippedPars::ReadResult::Read);
    EXPECT_GE(DailyCourse::candidates(levels, pars).size(),
              static_cast<std::size_t>(DailyCourse::Holes * DailyCourse::RepeatFreeDays));
}

}  // namespace
}  // namespace trundlex
