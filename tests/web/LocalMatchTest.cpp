#include "web/LocalMatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "level/Archive.h"
#include "support/AsciiLevel.h"

namespace trundlex::web {
namespace {

// The bytes of a .lev file holding a level made of `rows`, with the start at (x, y).
std::string levFile(const std::string& id, const std::vector<std::string_view>& rows, double x,
                    double y) {
    Level level = testing::asciiLevel(rows);
    level.setId(id);
    level.setName(id);
    level.setStart(x, y);
    return encodeArchiveString(level.toText());
}

// A closed room with the cup two blocks right of the start, and a longer one with a bend.
const std::string kShort =
    levFile("short", {"########", "#......#", "#....O.#", "#......#", "########"}, 3.5, 2.5);
const std::string kBend = levFile("bend",
                                  {"##########", "#........#", "#.######.#", "#.#....#.#",
                                   "#.#..O.#.#", "#........#", "##########"},
                                  1.5, 1.5);

struct Played {
    std::vector<std::string> events;
    std::string result;
    int calls = 0;
};

Played playOut(LocalMatch& match, int slice) {
    Played played;
    const auto take = [&] {
        for (std::string& line : match.takeEvents()) {
            played.events.push_back(std::move(line));
        }
    };
    while (match.advance(slice) && played.calls < 100000) {
        ++played.calls;
        take();
    }
    take();
    played.result = match.result();
    return played;
}

LocalMatch& setUp(LocalMatch& match) {
    EXPECT_TRUE(match.addLevel(kShort));
    EXPECT_TRUE(match.addLevel(kBend));
    EXPECT_TRUE(match.addComputer("Ann", ComputerStrength::Hard));
    EXPECT_TRUE(match.addComputer("Bob", ComputerStrength::Easy));
    EXPECT_TRUE(match.start());
    return match;
}

TEST(LocalMatch, ComputersPlayEveryHoleToTheEndAndTheResultAddsUp) {
    LocalMatch match(42);
    const Played played = playOut(setUp(match), 50);
    ASSERT_TRUE(match.isOver());
    std::vector<std::string> holes;
    for (const std::string& e : played.events) {
        if (e.starts_with("hole ")) {
            holes.push_back(e);
        }
    }
    EXPECT_EQ(holes, (std::vector<std::string>{"hole 1 2 short", "hole 2 2 bend"}));
    EXPECT_TRUE(std::count(played.events.begin(), played.events.end(), "thinking Ann") >= 2);
    EXPECT_TRUE(std::find_if(played.events.begin(), played.events.end(), [](const auto& e) {
                    return e.starts_with("over ");
                }) != played.events.end());
    // Each putt is followed by where its ball came to rest.
    for (std::size_t i = 0; i < played.events.size(); ++i) {
        if (played.events[i].starts_with("putt ")) {
            ASSERT_LT(i + 1, played.events.size());
            EXPECT_TRUE(played.events[i + 1].starts_with("rest ")) << played.events[i + 1];
        }
    }
    // The totals are the sums of the holes' strokes.
    int ann = 0;
    int bob = 0;
    std::istringstream lines(played.result);
    for (std::string line; std::getline(lines, line) && line.starts_with("hole ");) {
        int a = 0;
        int b = 0;
        ASSERT_EQ(std::sscanf(line.substr(line.find(':')).c_str(), ": Ann %d, Bob %d", &a, &b), 2)
            << line;
        EXPECT_GE(a, 1);
        EXPECT_GE(b, 1);
        ann += a;
        bob += b;
    }
    EXPECT_NE(played.result.find("total: Ann " + std::to_string(ann) + ", Bob " +
                                 std::to_string(bob) + "\n"),
              std::string::npos)
        << played.result;
    EXPECT_GT(match.time(), 0) << "the computers' aims and the banners take time to watch";
}

TEST(LocalMatch, TheSameSeedPlaysTheSameGameInSlicesOfAnySize) {
    LocalMatch whole(7);
    LocalMatch sliced(7);
    const Played a = playOut(setUp(whole), 100000);
    const Played b = playOut(setUp(sliced), 1);
    EXPECT_EQ(a.events, b.events);
    EXPECT_EQ(a.result, b.result);
    EXPECT_GT(b.calls, 8);
}

TEST(LocalMatch, RefusesWhatCannotBePlayed) {
    LocalMatch match(1);
    EXPECT_FALSE(match.start()) << "nothing to play";
    EXPECT_FALSE(match.advance(5)) << "not started";
    EXPECT_FALSE(match.addLevel("")) << "no bytes";
    EXPECT_FALSE(match.addLevel(encodeArchiveString("not a level"))) << "no level text";
    EXPECT_FALSE(match.addLevel(kShort.substr(0, kShort.size() / 2))) << "cut short";
    EXPECT_FALSE(match.addComputer("", ComputerStrength::Hard));
    EXPECT_FALSE(match.addComputer("Pat", ComputerStrength::Person));
    for (int i = 0; i < LocalMatch::MaxPlayers; ++i) {
        EXPECT_TRUE(match.addComputer("P" + std::to_string(i), ComputerStrength::Medium));
    }
    EXPECT_FALSE(match.addComputer("One too many", ComputerStrength::Medium));
    EXPECT_FALSE(match.start()) << "no hole";
    EXPECT_TRUE(match.addLevel(kShort));
    EXPECT_TRUE(match.start());
    EXPECT_FALSE(match.start()) << "started twice";
    EXPECT_FALSE(match.addLevel(kBend)) << "a hole after the start";
    EXPECT_EQ(match.result().substr(0, 13), "hole 1 short:");
}

}  // namespace
}  // namespace trundlex::web
