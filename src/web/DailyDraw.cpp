#include "DailyDraw.h"

#include <cmath>
#include <map>

#include "PageJson.h"

namespace trundlex::web {

bool DailyDraw::addLevel(std::string_view levFile) {
    Level level;
    if (!levelFromBytes(levFile, level) || !levels_.isAcceptable(level)) {
        return false;
    }
    levels_.add(level);
    daily_.reset();
    return true;
}

bool DailyDraw::setPars(std::string_view table) {
    daily_.reset();
    return pars_.parse(table);
}

std::string DailyDraw::courseJson(std::string_view date) {
    const std::optional<std::int64_t> day = DailyCourse::parseDate(date);
    if (!day) {
        return {};
    }
    if (!daily_) {
        const std::vector<DailyCourse::Candidate> pool = DailyCourse::candidates(levels_, pars_);
        parOf_.clear();
        for (const DailyCourse::Candidate& candidate : pool) {
            parOf_.emplace(candidate.id, candidate.par);
        }
        daily_.emplace(pool);
    }
    const std::optional<Course> course = daily_->course(*day);
    if (!course) {
        return {};
    }
    std::string levels;
    std::string pars;
    for (int i = 0; i < course->levelCount(); ++i) {
        levels += (i == 0 ? "" : ",") + jsonString(course->levelId(i));
        pars += (i == 0 ? "" : ",") + std::to_string(parOf_[course->levelId(i)]);
    }
    return "{\"id\":" + jsonString(course->id()) + ",\"name\":" + jsonString(course->name()) +
           ",\"date\":" + jsonString(DailyCourse::dateText(*day)) + ",\"levels\":[" + levels +
           "],\"pars\":[" + pars + "]}";
}

std::string DailyDraw::utcDate(double unixMs) {
    // A clock gone wrong (NaN, infinite, beyond any year written with four digits) reads as
    // the start of 1970 rather than as a number the conversion cannot hold.
    const double seconds = std::isfinite(unixMs) && std::fabs(unixMs) < 3.0e14
                               ? std::floor(unixMs / 1000.0)
                               : 0.0;
    return DailyCourse::dateText(DailyCourse::dayOf(static_cast<std::int64_t>(seconds)));
}

}  // namespace trundlex::web
