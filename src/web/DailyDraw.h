#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "library/DailyCourse.h"
#include "library/LevelLibrary.h"
#include "solver/ShippedPars.h"

namespace trundlex::web {

// The course of the day as a page draws it: the page hands over the bytes of the levels it
// ships and the text of their pars table, then asks for a day's course. DailyCourse draws it,
// as it does for the desktop game and the room host, so a page with the game's shipped levels
// plays the same nine holes as everybody else that day.
class DailyDraw {
public:
    // A level that may be drawn; false (nothing added) for bytes that hold no level, or a
    // level whose ID was given before.
    bool addLevel(std::string_view levFile);
    // The shipped pars (the text of levels/pars.txt); false (and no pars) for a table that
    // does not read. Only levels the table holds a par for, as they are, are drawn.
    bool setPars(std::string_view table);

    // The course of the UTC day `date` ("YYYY-MM-DD") as JSON: {"id", "name", "date",
    // "levels": [level IDs in playing order], "pars": [their pars]}; "" for a date that does
    // not read or when no level has its par.
    std::string courseJson(std::string_view date);

    // The UTC date ("YYYY-MM-DD") of a time in milliseconds since 1970-01-01 00:00 UTC, as a
    // page's clock gives it.
    static std::string utcDate(double unixMs);

private:
    LevelLibrary levels_{std::string()};
    ShippedPars pars_;
    // Made at the first draw after a change: it remembers the days drawn so far.
    std::optional<DailyCourse> daily_;
    // The pars of the levels daily_ draws from.
    std::map<std::string, int> parOf_;
};

}  // namespace trundlex::web
