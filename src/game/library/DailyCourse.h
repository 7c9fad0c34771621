#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/Course.h"

namespace trundlex {

class LevelLibrary;
class ShippedPars;

// The course of the day: nine holes drawn from the shipped levels for each UTC day, the same
// on every computer that has the same levels. The day is the seed, and every step of the draw
// is integer arithmetic over the Mersenne Twister's bits, so the desktop game, the room host,
// the Windows build and the browser's WebAssembly draw the same course.
//
// Only levels whose par the shipped table holds for them as they are take part: a level of the
// user's own, or a shipped one changed since, has no par that everybody agrees on. The levels
// are put in order of par (then of ID), cut into nine bands of about equal size, and one level
// is drawn from each band, so a course opens easy and ends hard.
//
// No level comes back within RepeatFreeDays days: a day's draw leaves out the levels of the
// days before it, back to RepeatFreeDays - 1 days, which is why days are drawn in order from
// FirstDay on (and remembered). A library too small for that leaves out only as many earlier
// days as still leave nine levels to draw from, the nearest days first; one of fewer than nine
// levels plays all of them every day.
//
// Not safe to share between threads without a lock (the remembered draws).
class DailyCourse {
public:
    static constexpr int Holes = 9;
    static constexpr int RepeatFreeDays = 7;
    // 2026-01-01: the first day whose draw looks back at the days before it. An earlier day
    // (a clock set wrong) is drawn without looking back.
    static constexpr std::int64_t FirstDay = 20454;
    // What the course's ID starts with; the day's date follows ("daily-2026-12-09").
    static constexpr std::string_view IdPrefix = "daily-";

    // A level that may be drawn.
    struct Candidate {
        std::string id;
        int par = 0;
    };

    // The levels of `library` whose par `pars` holds for them as they are now.
    static std::vector<Candidate> candidates(const LevelLibrary& library, const ShippedPars& pars);

    // Draws from `pool`; a level ID given twice counts once (the first par given).
    explicit DailyCourse(std::vector<Candidate> pool);

    // How many levels take part.
    int poolSize() const { return static_cast<int>(pool_.size()); }

    // The level IDs of `day`'s course (days since 1970-01-01, UTC) in playing order: Holes of
    // them, all different, their pars rising; all the pool's levels when it holds fewer; none
    // for an empty pool.
    std::vector<std::string> levelIds(std::int64_t day);
    // `day`'s course: its levels, the name "Today's course YYYY-MM-DD" and the ID of courseId.
    // Nothing when the pool is empty.
    std::optional<Course> course(std::int64_t day);

    // The UTC day of a time in seconds since 1970-01-01 00:00 UTC (earlier times count back).
    static std::int64_t dayOf(std::int64_t unixSeconds);
    // The day as "YYYY-MM-DD" (proleptic Gregorian, years 0 to 9999; other days as far as
    // the arithmetic goes, with more or fewer year digits).
    static std::string dateText(std::int64_t day);
    // The day of a date written "YYYY-MM-DD" with a real month and day; nothing otherwise.
    static std::optional<std::int64_t> parseDate(std::string_view text);
    // The ID the day's high scores are kept under: IdPrefix and the date.
    static std::string courseId(std::int64_t day);
    // The day a course ID of courseId names; nothing for any other ID.
    static std::optional<std::int64_t> dayOfCourseId(std::string_view id);

private:
    // Indices into pool_ of one day's levels.
    using Draw = std::vector<int>;

    Draw drawDay(std::int64_t day, const std::vector<const Draw*>& before) const;
    const Draw& remembered(std::int64_t day);

    // In order of par, then of ID.
    std::vector<Candidate> pool_;
    // The draws of FirstDay, FirstDay + 1, ... as far as asked.
    std::vector<Draw> chain_;
};

}  // namespace trundlex
