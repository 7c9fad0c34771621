#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace trundlex {

class Level;

// Local wall-clock time; injected where tests need a fixed time.
using LocalClock = std::function<std::tm()>;
const LocalClock& systemLocalClock();

// A level's identity as written on every save: the decimal form of a 32-bit hash of its
// blocks, then the time as year, month, day of the year, hour, day of the month and second
// (no minutes), for example "-12345678920261234121107".
std::string makeLevelId(const Level& level, const std::tm& localTime);

// Whether two levels are the same level apart from their IDs: a file would hold the same
// text for both (size, name, creator, start and every block).
bool sameLevelContent(const Level& a, const Level& b);

}  // namespace trundlex
