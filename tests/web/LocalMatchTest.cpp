#include "web/LocalMatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "level/Archive.h"
#include "control/GameListener.h"
#include "support/AsciiLevel.h"
#include "solver/ShippedPars.h"
#include "web/PageJson.h"

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
    // Each putt is followed by the path its ball rolls, which ends where the ball then rests,
    // before anything else is putted (until the end, after which the winner's putts are shown
    // again, one after the other).
    int putts = 0;
    for (std::size_t i = 0; i < played.events.size() && !played.events[i].starts_with("over ");
         ++i) {
        if (!played.events[i].starts_with("putt ")) {
            continue;
        }
        ++putts;
        ASSERT_LT(i + 1, played.events.size());
        ASSERT_TRUE(played.events[i + 1].starts_with("path 10 ")) << played.events[i + 1];
        const auto rest = std::find_if(played.events.begin() + i + 1, played.events.end(),
                                       [](const auto& e) { return e.starts_with("rest "); });
        ASSERT_NE(rest, played.events.end());
        EXPECT_EQ(std::find_if(played.events.begin() + i + 1, rest,
                               [](const auto& e) { return e.starts_with("putt "); }),
                  rest);
        std::istringstream path(played.events[i + 1].substr(8));
        double x = 0;
        double y = 0;
        double r = 0;
        double lastX = -1;
        double lastY = -1;
        while (path >> x >> y >> r) {
            lastX = x;
            lastY = y;
        }
        double restX = 0;
        double restY = 0;
        ASSERT_EQ(std::sscanf(rest->c_str(), "rest %lf %lf", &restX, &restY), 2);
        EXPECT_NEAR(lastX, restX, 0.0006);
        EXPECT_NEAR(lastY, restY, 0.0006);
    }
    EXPECT_GE(putts, 4);
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

// The events of a game run in real time until `until`, each with the game's time when it came.
struct Timed {
    std::int64_t time;
    std::string line;
};

void runTo(LocalMatch& match, std::int64_t until, std::vector<Timed>& log) {
    match.runUntil(until);
    EXPECT_LE(match.time(), until) << "the game ran ahead of the page's clock";
    for (std::string& line : match.takeEvents()) {
        log.push_back({match.time(), std::move(line)});
    }
}

// Runs frame by frame (16 ms) until the game is in `state`, for at most `limit` ms more.
bool runUntilState(LocalMatch& match, int state, std::vector<Timed>& log,
                   std::int64_t limit = 120000) {
    const std::int64_t end = match.time() + limit;
    runTo(match, match.time(), log);
    while (match.state() != state && match.time() < end && !match.isOver()) {
        runTo(match, match.time() + 16, log);
    }
    return match.state() == state;
}

const Timed* find(const std::vector<Timed>& log, std::string_view prefix, std::size_t from = 0) {
    for (std::size_t i = from; i < log.size(); ++i) {
        if (log[i].line.starts_with(prefix)) {
            return &log[i];
        }
    }
    return nullptr;
}

// The heading from the start (3.5, 2.5) of kShort to its cup at (5.5, 2.5).
constexpr double kTowardsCup = 0.0;

TEST(LocalMatchPeople, APersonPuttsByHoldingTheButtonAndTheRollTakesItsTimeToWatch) {
    LocalMatch match(3);
    ASSERT_TRUE(match.addLevel(kShort));
    ASSERT_TRUE(match.addPerson("Pat"));
    ASSERT_TRUE(match.start());
    std::vector<Timed> log;
    ASSERT_TRUE(runUntilState(match, Aiming, log));
    ASSERT_NE(find(log, "level"), nullptr);
    ASSERT_NE(find(log, "turn here Pat"), nullptr);
    ASSERT_NE(find(log, "ball 3.5 2.5 "), nullptr) << "the ball shown at the tee";

    match.aimAt(kTowardsCup);
    match.beginCharge();
    EXPECT_EQ(match.state(), Charging);
    runTo(match, match.time() + 150, log);
    EXPECT_NE(find(log, "force "), nullptr) << "the force builds up while the button is held";
    const std::size_t before = log.size();
    match.releaseCharge();
    const std::int64_t putAt = match.time();
    runTo(match, putAt, log);
    const Timed* putt = find(log, "putt Pat ", before);
    const Timed* path = find(log, "path 10 ", before);
    ASSERT_NE(putt, nullptr);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(find(log, "rest ", before), nullptr) << "the ball rests only once it has rolled";

    // One position every 10 ms: the stop comes when the page's clock has got there.
    std::istringstream positions(path->line.substr(8));
    int ticks = 0;
    for (double x, y, r; positions >> x >> y >> r;) {
        ++ticks;
    }
    ASSERT_GT(ticks, 1);
    runTo(match, putAt + ticks * 10 - 1, log);
    EXPECT_EQ(find(log, "rest ", before), nullptr);
    runTo(match, putAt + ticks * 10, log);
    const Timed* rest = find(log, "rest ", before);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->time, putAt + ticks * 10);
}

TEST(LocalMatchPeople, ATouchPuttWithAForcePlaysAsHoldingTheButtonToThatForce) {
    // Two games alike; in one the button is held, in the other the force reached is given at
    // once. The aim trembles on the way in both, from the same random sequence.
    const auto aiming = [](LocalMatch& match, std::vector<Timed>& log) {
        EXPECT_TRUE(match.addLevel(kShort));
        EXPECT_TRUE(match.addPerson("Pat"));
        EXPECT_TRUE(match.start());
        EXPECT_TRUE(runUntilState(match, Aiming, log));
    };
    LocalMatch held(11);
    std::vector<Timed> heldLog;
    aiming(held, heldLog);
    held.aimAt(0.3);
    held.beginCharge();
    runTo(held, held.time() + 900, heldLog);
    double force = 0;
    for (const Timed& e : heldLog) {
        std::sscanf(e.line.c_str(), "force %lf 1", &force);
    }
    ASSERT_GT(force, 1.0);
    const std::size_t before = heldLog.size();
    held.releaseCharge();
    runTo(held, held.time(), heldLog);
    const Timed* heldPutt = find(heldLog, "putt ", before);
    ASSERT_NE(heldPutt, nullptr);

    LocalMatch touched(11);
    std::vector<Timed> touchedLog;
    aiming(touched, touchedLog);
    ASSERT_TRUE(touched.puttWithForce(0.3, force));
    runTo(touched, touched.time(), touchedLog);
    const Timed* touchedPutt = find(touchedLog, "putt ");
    ASSERT_NE(touchedPutt, nullptr);
    EXPECT_EQ(touchedPutt->line, heldPutt->line);
    EXPECT_NE(heldPutt->line, "putt Pat 0.3 " + std::to_string(force))
        << "the aim trembled on the way";
}

TEST(LocalMatchPeople, InputCountsOnlyWhenAPersonHereAimsAndAPuttCanBeCalledOff) {
    LocalMatch match(5);
    ASSERT_TRUE(match.addLevel(kShort));
    ASSERT_TRUE(match.addComputer("Cy", ComputerStrength::Medium));
    ASSERT_TRUE(match.addPerson("Pat"));
    EXPECT_FALSE(match.puttWithForce(0.0, 10.0)) << "not started";
    ASSERT_TRUE(match.start());
    std::vector<Timed> log;
    // Cy putts first; nothing of the person's input may putt for the computer.
    runTo(match, 1, log);
    EXPECT_FALSE(match.puttWithForce(0.0, 10.0));
    match.beginCharge();
    EXPECT_NE(match.state(), Charging);
    ASSERT_TRUE(runUntilState(match, Aiming, log));
    ASSERT_NE(find(log, "turn here Pat"), nullptr);
    EXPECT_FALSE(match.puttWithForce(0.0, 0.1)) << "too weak to be a putt";

    match.beginCharge();
    runTo(match, match.time() + 300, log);
    const std::size_t before = log.size();
    match.cancelCharge();
    EXPECT_EQ(match.state(), Aiming);
    match.releaseCharge();
    runTo(match, match.time() + 1000, log);
    EXPECT_EQ(find(log, "putt Pat", before), nullptr) << "a called-off putt never rolls";
    EXPECT_NE(find(log, "force ", before), nullptr) << "the meter is hidden";
    EXPECT_EQ(match.state(), Aiming) << "the force does not build up any more";

    // Hurried, the ball rests at once.
    ASSERT_TRUE(match.puttWithForce(kTowardsCup, 30.0));
    const std::int64_t putAt = match.time();
    match.hurry();
    runTo(match, putAt, log);
    EXPECT_NE(find(log, "rest ", before), nullptr);
}

TEST(LocalMatchPeople, APageKnowsTheLevelTheScoreBoardAndTheShippedPars) {
    LocalMatch match(9);
    ASSERT_TRUE(match.addLevel(kShort));
    ASSERT_TRUE(match.addLevel(kBend));
    ASSERT_TRUE(match.addPerson("Pat \"the putter\""));
    EXPECT_FALSE(match.setPars("not a table"));
    // The table names the first hole's level as it is, and the second's as it was before an
    // edit: only the first gets its par.
    Level shortLevel;
    Level bendLevel;
    ASSERT_TRUE(levelFromBytes(kShort, shortLevel));
    ASSERT_TRUE(levelFromBytes(kBend, bendLevel));
    bendLevel.block(1, 1).back().setKind(Sand);
    ShippedPars table;
    ASSERT_TRUE(table.add(shortLevel, 2));
    ASSERT_TRUE(table.add(bendLevel, 4));
    ASSERT_TRUE(match.setPars(table.toText()));
    ASSERT_TRUE(match.start());
    std::vector<Timed> log;
    ASSERT_TRUE(runUntilState(match, Aiming, log));
    const std::string level = match.levelJson();
    EXPECT_TRUE(level.starts_with(R"({"id":"short","name":"short",)")) << level;
    EXPECT_NE(level.find(R"("width":8,"height":5,"start":[3.5,2.5],)"), std::string::npos)
        << level;
    // A wall block, then grass: six numbers each (square, unturned, back, back slope...).
    EXPECT_NE(level.find(R"("cells":[0,0,1,8,)"), std::string::npos) << level;
    const std::string board = match.boardJson();
    EXPECT_NE(board.find(R"("name":"Pat \"the putter\"")"), std::string::npos) << board;
    // The ball lies at the level's tee.
    EXPECT_NE(board.find(R"("kind":"here","strokes":[0,0],"total":0,"ball":[3.5,2.5,)"),
              std::string::npos)
        << board;
    EXPECT_NE(board.find(R"("turn":0)"), std::string::npos) << board;
    EXPECT_NE(board.find(R"("holes":[{"name":"short","par":2},{"name":"bend","par":0}])"),
              std::string::npos)
        << board;
    EXPECT_NE(find(log, "par 0 2"), nullptr);
}

TEST(PageJson, NamesFromAnyFileMakeValidJsonStrings) {
    EXPECT_EQ(jsonString("Åsa"), "\"Åsa\"");
    EXPECT_EQ(jsonString("a\"b\\c\n"), R"("a\"b\\c\u000a")");
    // A byte that is no UTF-8 (Latin-1 "é"), a cut sequence and an overlong "/" each become
    // U+FFFD; the rest stays.
    EXPECT_EQ(jsonString("caf\xe9!"), R"("caf\ufffd!")");
    EXPECT_EQ(jsonString("x\xe2\x82"), R"("x\ufffd\ufffd")");
    EXPECT_EQ(jsonString("\xc0\xaf"), R"("\ufffd\ufffd")");
}

}  // namespace
}  // namespace trundlex::web
