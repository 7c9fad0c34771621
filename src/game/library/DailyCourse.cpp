#include "library/DailyCourse.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "library/LevelLibrary.h"
#include "solver/ShippedPars.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// Floor division, for days and times before 1970.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days since 1970-01-01 of a proleptic Gregorian date (the well-known era arithmetic: 400
// years are exactly 146097 days).
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = floorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil {
    std::int64_t year;
    int month;
    int day;
};

Civil civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = floorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool leapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(std::int64_t year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// The seed of a day's draw: the day's number spread over all 32 bits, so that neighbouring
// days start the generator far apart.
std::uint32_t seedOf(std::int64_t day) {
    auto bits = static_cast<std::uint64_t>(day);
    bits ^= bits >> 33;
    bits *= 0xff51afd7ed558ccdULL;
    bits ^= bits >> 33;
    bits *= 0xc4ceb9fe1a85ec53ULL;
    bits ^= bits >> 33;
    return static_cast<std::uint32_t>(bits);
}

// A draw from 0 to count - 1 (count >= 1). Two of the source's draws where one does not
// reach; the slight unevenness of the remainder does not matter for choosing holes.
int below(RandomSource& random, int count) {
    if (count <= RandomSource::Max + 1) {
        return random.next() % count;
    }
    const long long wide =
        static_cast<long long>(random.next()) * (RandomSource::Max + 1) + random.next();
    return static_cast<int>(wide % count);
}

std::optional<int> readDigits(std::string_view text) {
    int value = 0;
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void appendPadded(std::string& text, std::int64_t value, int width) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0) {
        text += '-';
    }
    text.append(digits.size() < static_cast<std::size_t>(width)
                    ? static_cast<std::size_t>(width) - digits.size()
                    : 0,
                '0');
    text += digits;
}

}  // namespace

std::vector<DailyCourse::Candidate> DailyCourse::candidates(const LevelLibrary& library,
                                                            const ShippedPars& pars) {
    std::vector<Candidate> found;
    for (int i = 0; i < library.count(); ++i) {
        const Level& level = library.at(i);
        if (const auto par = pars.lookup(level)) {
            found.push_back({level.id(), *par});
        }
    }
    return found;
}

DailyCourse::DailyCourse(std::vector<Candidate> pool) {
    std::set<std::string> seen;
    for (Candidate& candidate : pool) {
        if (seen.insert(candidate.id).second) {
            pool_.push_back(std::move(candidate));
        }
    }
    // The library's own order depends on names and on the order files were read in; par and
    // ID depend on nothing but the levels.
    std::sort(pool_.begin(), pool_.end(), [](const Candidate& a, const Candidate& b) {
        return a.par != b.par ? a.par < b.par : a.id < b.id;
    });
}

DailyCourse::Draw DailyCourse::drawDay(std::int64_t day,
                                       const std::vector<const Draw*>& before) const {
    const int size = poolSize();
    const int wanted = std::min(Holes, size);
    std::vector<bool> left(static_cast<std::size_t>(size), false);
    int leftOut = 0;
    // The nearest days first: with too few levels, a level may come back after a few days
    // rather than the next day.
    for (const Draw* earlier : before) {
        int more = 0;
        for (const int index : *earlier) {
            more += left[static_cast<std::size_t>(index)] ? 0 : 1;
        }
        if (size - leftOut - more < wanted) {
            break;
        }
        for (const int index : *earlier) {
            left[static_cast<std::size_t>(index)] = true;
        }
        leftOut += more;
    }
    std::vector<int> open;
    for (int i = 0; i < size; ++i) {
        if (!left[static_cast<std::size_t>(i)]) {
            open.push_back(i);
        }
    }
    const int count = static_cast<int>(open.size());
    if (count <= wanted) {
        return open;
    }
    SeededRandom random(seedOf(day));
    Draw drawn;
    for (int band = 0; band < wanted; ++band) {
        const int first = band * count / wanted;
        const int end = (band + 1) * count / wanted;
        drawn.push_back(open[static_cast<std::size_t>(first + below(random, end - first))]);
    }
    return drawn;
}

const DailyCourse::Draw& DailyCourse::remembered(std::int64_t day) {
    while (static_cast<std::int64_t>(chain_.size()) <= day - FirstDay) {
        const std::int64_t next = FirstDay + static_cast<std::int64_t>(chain_.size());
        std::vector<const Draw*> before;
        for (int back = 1; back < RepeatFreeDays && back <= static_cast<int>(chain_.size());
             ++back) {
            before.push_back(&chain_[chain_.size() - static_cast<std::size_t>(back)]);
        }
        Draw drawn = drawDay(next, before);
        chain_.push_back(std::move(drawn));
    }
    return chain_[static_cast<std::size_t>(day - FirstDay)];
}

std::vector<std::string> DailyCourse::levelIds(std::int64_t day) {
    std::vector<std::string> ids;
    if (pool_.empty()) {
        return ids;
    }
    const Draw drawn = day < FirstDay ? drawDay(day, {}) : remembered(day);
    for (const int index : drawn) {
        ids.push_back(pool_[static_cast<std::size_t>(index)].id);
    }
    return ids;
}

std::optional<Course> DailyCourse::course(std::int64_t day) {
    const std::vector<std::string> ids = levelIds(day);
    if (ids.empty()) {
        return std::nullopt;
    }
    Course course;
    course.setName("Today's course " + dateText(day));
    course.setId(courseId(day));
    for (const std::string& id : ids) {
        course.addLevelId(id);
    }
    return course;
}

std::int64_t DailyCourse::dayOf(std::int64_t unixSeconds) {
    return floorDiv(unixSeconds, 86400);
}

std::string DailyCourse::dateText(std::int64_t day) {
    const Civil date = civilFromDays(day);
    std::string text;
    appendPadded(text, date.year, 4);
    text += '-';
    appendPadded(text, date.month, 2);
    text += '-';
    appendPadded(text, date.day, 2);
    return text;
}

std::optional<std::int64_t> DailyCourse::parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto year = readDigits(text.substr(0, 4));
    const auto month = readDigits(text.substr(5, 2));
    const auto day = readDigits(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return daysFromCivil(*year, *month, *day);
}

std::string DailyCourse::courseId(std::int64_t day) {
    return std::string(IdPrefix) + dateText(day);
}

std::optional<std::int64_t> DailyCourse::dayOfCourseId(std::string_view id) {
    if (!id.starts_with(IdPrefix)) {
        return std::nullopt;
    }
    return parseDate(id.substr(IdPrefix.size()));
}

}  // namespace trundlex
