#pragma once
// A local time for the level IDs of tests: 5 March 2026 (day 64 of the year), 14:MM:SS.
#include <ctime>

namespace trundlex::testing {

inline std::tm marchFifthAt(int minute, int second) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_yday = 63;
    t.tm_hour = 14;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

}  // namespace trundlex::testing
