// The course of the day: the draw, its dates and IDs, on libraries made here and on the
// shipped one. Built without Qt, so the Windows build runs it too.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "library/DailyCourse.h"
#include "library/LevelLibrary.h"
#include "solver/ShippedPars.h"

namespace trundlex {
namespace {

// 2026-12-09 and 2026-01-01, counted by Python's datetime.
constexpr std::int64_t kDecemberNinth = 20796;
constexpr std::int64_t kNewYear2026 = 20454;

// A pool of `count` levels "L00", "L01"... whose pars run through 1 to 6.
std::vector<DailyCourse::Candidate> pool(int count) {
    std::vector<DailyCourse::Candidate> made;
    for (int i = 0; i < count; ++i) {
        made.push_back({"L" + std::string(i < 10 ? "0" : "") + std::to_string(i), 1 + i % 6});
    }
    return made;
}

std::map<std::string, int> parsOf(const std::vector<DailyCourse::Candidate>& candidates) {
    std::map<std::string, int> pars;
    for (const auto& candidate : candidates) {
        pars[candidate.id] = candidate.par;
    }
    return pars;
}

// Every level ID of `days` consecutive days from `first`, day by day.
std::vector<std::vector<std::string>> drawDays(DailyCourse& daily, std::int64_t first, int days) {
    std::vector<std::vector<std::string>> drawn;
    for (int d = 0; d < days; ++d) {
        drawn.push_back(daily.levelIds(first + d));
    }
    return drawn;
}

// How many days apart the nearest two draws of one level are among `days` (INT_MAX: none).
int nearestRepeat(const std::vector<std::vector<std::string>>& days) {
    std::map<std::string, int> lastSeen;
    int nearest = INT_MAX;
    for (int d = 0; d < static_cast<int>(days.size()); ++d) {
        for (const std::string& id : days[static_cast<std::size_t>(d)]) {
            if (const auto seen = lastSeen.find(id); seen != lastSeen.end()) {
                nearest = std::min(nearest, d - seen->second);
            }
            lastSeen[id] = d;
        }
    }
    return nearest;
}

void expectDistinctAndRising(const std::vector<std::string>& ids,
                             const std::map<std::string, int>& pars) {
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
    for (std::size_t i = 1; i < ids.size(); ++i) {
        EXPECT_LE(pars.at(ids[i - 1]), pars.at(ids[i])) << "hole " << i + 1;
    }
}

TEST(DailyCourseDraw, SameDateGivesSameCourseWhateverWasDrawnBefore) {
    DailyCourse straight(pool(80));
    DailyCourse roundabout(pool(80));
    // The second has drawn later days first, and days before the first one.
    roundabout.levelIds(kDecemberNinth + 40);
    roundabout.levelIds(kNewYear2026 - 3);
    EXPECT_EQ(roundabout.levelIds(kDecemberNinth), straight.levelIds(kDecemberNinth));
    EXPECT_EQ(straight.levelIds(kDecemberNinth), straight.levelIds(kDecemberNinth));
}

TEST(DailyCourseDraw, LibraryOrderDoesNotMatter) {
    auto shuffled = pool(80);
    std::reverse(shuffled.begin(), shuffled.end());
    std::rotate(shuffled.begin(), shuffled.begin() + 17, shuffled.end());
    DailyCourse ordered(pool(80));
    DailyCourse reordered(shuffled);
    EXPECT_EQ(drawDays(ordered, kDecemberNinth, 10), drawDays(reordered, kDecemberNinth, 10));
}

TEST(DailyCourseDraw, ThirtyDaysGiveThirtyDifferentCourses) {
    DailyCourse daily(pool(80));
    const auto days = drawDays(daily, kDecemberNinth, 30);
    const std::set<std::vector<std::string>> different(days.begin(), days.end());
    EXPECT_EQ(different.size(), 30u);
}

TEST(DailyCourseDraw, NoLevelComesBackWithinSevenDays) {
    // 63 is the fewest levels that can fill seven days of nine holes each.
    for (const int size : {63, 64, 100}) {
        SCOPED_TRACE(size);
        DailyCourse daily(pool(size));
        // Across the first day that looks back, and well after it.
        for (const std::int64_t first : {kNewYear2026, kDecemberNinth, kDecemberNinth + 700}) {
            const auto days = drawDays(daily, first, 30);
            for (const auto& ids : days) {
                EXPECT_EQ(ids.size(), 9u);
            }
            EXPECT_GE(nearestRepeat(days), 7);
        }
    }
}

TEST(DailyCourseDraw, DifficultyRisesFromEasyToHard) {
    // Enough levels that each band still holds its own kind after a week's draws are left out.
    const auto candidates = pool(200);
    const auto pars = parsOf(candidates);
    DailyCourse daily(candidates);
    for (const auto& ids : drawDays(daily, kDecemberNinth, 30)) {
        ASSERT_EQ(ids.size(), 9u);
        expectDistinctAndRising(ids, pars);
        // Drawn across the whole range, not from one end of it.
        EXPECT_LE(pars.at(ids.front()), 2);
        EXPECT_GE(pars.at(ids.back()), 5);
    }
}

TEST(DailyCourseDraw, SmallLibraryPlaysWhatItHas) {
    // Fewer levels than holes: all of them, easiest first, every day.
    DailyCourse tiny(pool(5));
    const auto pars = parsOf(pool(5));
    for (const auto& ids : drawDays(tiny, kDecemberNinth, 3)) {
        EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()),
                  (std::set<std::string>{"L00", "L01", "L02", "L03", "L04"}));
        expectDistinctAndRising(ids, pars);
    }
    // Enough for two days apart but not seven: a level rests as long as the library allows.
    DailyCourse small(pool(20));
    const auto days = drawDays(small, kDecemberNinth, 30);
    for (const auto& ids : days) {
        EXPECT_EQ(ids.size(), 9u);
        expectDistinctAndRising(ids, parsOf(pool(20)));
    }
    EXPECT_GE(nearestRepeat(days), 2);
    // Exactly nine: the same nine every day.
    DailyCourse nine(pool(9));
    EXPECT_EQ(nine.levelIds(kDecemberNinth).size(), 9u);
    EXPECT_EQ(nine.levelIds(kDecemberNinth), nine.levelIds(kDecemberNinth + 1));
}

TEST(DailyCourseDraw, EmptyLibraryGivesNoCourse) {
    DailyCourse empty({});
    EXPECT_EQ(empty.poolSize(), 0);
    EXPECT_TRUE(empty.levelIds(kDecemberNinth).empty());
    EXPECT_FALSE(empty.course(kDecemberNinth).has_value());
}

TEST(DailyCourseDraw, OnlyLevelsWithTheirShippedParTakePart) {
    LevelLibrary library("");
    ShippedPars pars;
    for (int i = 0; i < 12; ++i) {
        Level level(4 + i, 5, "hole " + std::to_string(i), "tests");
        level.setId("id" + std::to_string(i));
        library.add(level);
        if (i < 10) {
            pars.add(level, 2 + i % 3);
        }
    }
    // Changed since its par was worked out: its par is no longer known.
    library.at(0).block(1, 1).fromText("S0T8");
    const auto candidates = DailyCourse::candidates(library, pars);
    std::set<std::string> ids;
    for (const auto& candidate : candidates) {
        ids.insert(candidate.id);
    }
    EXPECT_EQ(ids, (std::set<std::string>{"id1", "id2", "id3", "id4", "id5", "id6", "id7", "id8",
                                          "id9"}));
    EXPECT_EQ(parsOf(candidates).at("id4"), 3);
    // A pool without any: no course, and nothing else.
    EXPECT_TRUE(DailyCourse::candidates(library, ShippedPars{}).empty());
}

TEST(DailyCourseDraw, CourseCarriesTheDaysIdAndDate) {
    DailyCourse daily(pool(70));
    const auto today = daily.course(kDecemberNinth);
    const auto tomorrow = daily.course(kDecemberNinth + 1);
    ASSERT_TRUE(today && tomorrow);
    EXPECT_EQ(today->id(), "daily-2026-12-09");
    EXPECT_EQ(tomorrow->id(), "daily-2026-12-10");
    EXPECT_NE(today->name().find("2026-12-09"), std::string::npos);
    ASSERT_EQ(today->levelCount(), 9);
    const auto ids = daily.levelIds(kDecemberNinth);
    for (int i = 0; i < today->levelCount(); ++i) {
        EXPECT_EQ(today->levelId(i), ids[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(DailyCourse::dayOfCourseId(today->id()), kDecemberNinth);
}

TEST(DailyCourseDates, DaysFollowTheUtcCalendar) {
    EXPECT_EQ(DailyCourse::dayOf(0), 0);
    EXPECT_EQ(DailyCourse::dayOf(86399), 0);
    EXPECT_EQ(DailyCourse::dayOf(86400), 1);
    EXPECT_EQ(DailyCourse::dayOf(-1), -1);
    EXPECT_EQ(DailyCourse::parseDate("1970-01-01"), 0);
    EXPECT_EQ(DailyCourse::parseDate("1969-12-31"), -1);
    EXPECT_EQ(DailyCourse::parseDate("2000-03-01"), 11017);
    EXPECT_EQ(DailyCourse::parseDate("2026-01-01"), kNewYear2026);
    EXPECT_EQ(DailyCourse::parseDate("2028-02-29"), 21243);
    for (const std::int64_t day : {std::int64_t{0}, std::int64_t{11017}, kDecemberNinth,
                                   std::int64_t{21243}, std::int64_t{-1}}) {
        EXPECT_EQ(DailyCourse::parseDate(DailyCourse::dateText(day)), day);
    }
    EXPECT_EQ(DailyCourse::dateText(kDecemberNinth), "2026-12-09");
}

TEST(DailyCourseDates, MalformedDatesAndIdsAreRefused) {
    for (const char* bad :
         {"", "2026-1-01", "2026-13-01", "2026-00-10", "2027-02-29", "1900-02-29", "2026-04-31",
          "2026/12/09", "2026-12-09 ", "+026-12-09", "2026-12-0x"}) {
        EXPECT_FALSE(DailyCourse::parseDate(bad).has_value()) << bad;
    }
    EXPECT_FALSE(DailyCourse::dayOfCourseId("-1234567").has_value());
    EXPECT_FALSE(DailyCourse::dayOfCourseId("daily-").has_value());
    EXPECT_FALSE(DailyCourse::dayOfCourseId("daily-2026-02-30").has_value());
}

#ifdef TRUNDLEX_SOURCE_DIR
// The levels that ship, whatever they are: each day is drawn from them, rising, and a level
// rests as many days as their number allows (seven once there are 63 with a par).
TEST(DailyCourseShipped, ShippedLibraryGivesAPlayableCourseEveryDay) {
    LevelLibrary library(TRUNDLEX_SOURCE_DIR "/resources");
    library.scan(nullptr);
    ShippedPars pars;
    ASSERT_EQ(pars.load(TRUNDLEX_SOURCE_DIR "/resources/levels/pars.txt"),
              ShippedPars::ReadResult::Read);
    const auto candidates = DailyCourse::candidates(library, pars);
    ASSERT_GT(candidates.size(), 0u);
    const auto parOf = parsOf(candidates);
    DailyCourse daily(candidates);
    const auto days = drawDays(daily, kDecemberNinth, 30);
    const std::size_t holes = std::min<std::size_t>(9, candidates.size());
    for (const auto& ids : days) {
        EXPECT_EQ(ids.size(), holes);
        expectDistinctAndRising(ids, parOf);
        for (const std::string& id : ids) {
            EXPECT_GE(library.findById(id), 0) << id;
        }
    }
    const int rest = std::min<int>(7, static_cast<int>(candidates.size()) / 9);
    if (rest >= 1) {
        EXPECT_GE(nearestRepeat(days), rest);
    }
}
#endif

}  // namespace
}  // namespace trundlex
