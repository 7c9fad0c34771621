// The rooms of a room host: requests and answers, codes, and who may enter a room.
#include <gtest/gtest.h>

#include <set>

#include "net/NetProtocol.h"
#include "net/RoomDirectory.h"

namespace trundlex {
namespace {

using namespace roomproto;
using namespace std::chrono_literals;

TEST(RoomProtocolTest, RequestsAreReadStrictly) {
    using enum Request::Kind;
    const std::vector<std::tuple<std::string, Request::Kind, std::string>> cases = {
        {"?", List, ""},
        {"|", Create, ""},
        {"|Beginners' Nine", Create, "Beginners' Nine"},
        {"K7QX2M|", Join, "K7QX2M"},
        {"k7qx2m|", Invalid, ""},
        {"K7QX2M", Invalid, ""},
        {"K7QX20|", Invalid, ""},
        {"K7QX2MM|", Invalid, ""},
        {"", Invalid, ""},
        {"??", Invalid, ""},
        {"|bad\x01name", Invalid, ""},
        {"|" + std::string(MaxCourseNameBytes + 1, 'c'), Invalid, ""},
    };
    for (const auto& [body, kind, value] : cases) {
        const Request request = Request::parse(body);
        EXPECT_EQ(request.kind, kind) << body;
        EXPECT_EQ(kind == Join ? request.code : request.course, value) << body;
    }
    const std::string token = "ABCDEFGHJKMNPQRSTUVW";
    const Request rejoin = Request::parse(encodeRejoin("K7QX2M", token));
    EXPECT_EQ(rejoin.kind, Rejoin);
    EXPECT_EQ(rejoin.code + "/" + rejoin.token, "K7QX2M/" + token);
    for (const std::string& bad : {"K7QX2M|" + token.substr(1), "K7QX2M|" + token + "A",
                                   "K7QX2M|" + token.substr(1) + "0", "K7QX2M" + token + "|"}) {
        EXPECT_EQ(Request::parse(bad).kind, Invalid) << bad;
    }
    EXPECT_EQ(normaliseCode(" k7qx 2m "), "K7QX2M");
    EXPECT_EQ(normaliseCode("K7Q-X2M"), "K7QX2M") << "a code written in groups";
    EXPECT_EQ(normaliseCode("K7Q-X2M-"), "K7QX2M");
    EXPECT_EQ(normaliseCode("K7Q_X2M"), "");
    EXPECT_EQ(normaliseCode("K7QX2"), "");
    EXPECT_EQ(normaliseCode("K7QXI0"), "") << "letters that look like digits are no code";
}

TEST(RoomProtocolTest, AnswersTravelAndUnfitNamesStayOut) {
    const Answer list = Answer::parse(encodeList({"Beginners' Nine", "a|b", "", "bell\x07", "Ok"}));
    EXPECT_EQ(list.kind, Answer::Kind::List);
    EXPECT_EQ(list.courses, (std::vector<std::string>{"Beginners' Nine", "Ok"}));
    EXPECT_EQ(Answer::parse("?").courses.size(), 0u);

    const Answer room = Answer::parse(encodeRoom("K7QX2M", "Tricky|Nine"));
    EXPECT_EQ(room.kind, Answer::Kind::Room);
    EXPECT_EQ(room.code + "/" + room.course, "K7QX2M/TrickyNine");

    const std::vector<std::pair<Refusal, std::string>> refusals = {
        {Refusal::NoSuchRoom, "No room with code K7QX2M."},
        {Refusal::Started, "The game in room K7QX2M has started."},
        {Refusal::Full, "Room K7QX2M is full."},
        {Refusal::NoFreeRoom, "This host has no free room."},
        {Refusal::CodeNeeded, "This host needs a room code."},
    };
    for (const auto& [refusal, text] : refusals) {
        const Answer answer = Answer::parse(encodeRefusal(refusal, "K7QX2M"));
        EXPECT_EQ(answer.kind, Answer::Kind::Refused);
        EXPECT_EQ(answer.reason, text);
    }
    EXPECT_EQ(refusalText(Refusal::NoSuchCourse, "X|\nY"), "No course named XY.");
    for (const char* bad : {"K7QX2M|x", "BAD|x|", "K7QX2M|a|b|", "?a|b"}) {
        EXPECT_EQ(Answer::parse(bad).kind, Answer::Kind::Invalid) << bad;
    }
}

TEST(RoomProtocolTest, ACatchUpCarriesPuttsExactlyAsTheyWereSent) {
    double f1 = 3.0, a1 = 0.5, f2 = 9.127315, a2 = -1.25;
    const std::string body = encodeCatchUp({netproto::encodePutt(f1, a1), netproto::encodePutt(f2, a2)});
    std::vector<std::pair<double, double>> putts;
    ASSERT_TRUE(parseCatchUp(body, putts));
    EXPECT_EQ(putts, (std::vector<std::pair<double, double>>{{f1, a1}, {f2, a2}}));
    ASSERT_TRUE(parseCatchUp(encodeCatchUp({}), putts));
    EXPECT_TRUE(putts.empty()) << "a game without putts yet";
    // Anything a hostile host might send instead is refused whole.
    for (const std::string& bad : {std::string("3.000000|0.500000;"), std::string("=3.0|0.5;"),
                                   std::string("=3.000000|0.500000"),
                                   std::string("=3.000000|0.500000;;"),
                                   std::string("=999.000000|0.000000;")}) {
        putts = {{1.0, 1.0}};
        EXPECT_FALSE(parseCatchUp(bad, putts)) << bad;
        EXPECT_TRUE(putts.empty()) << bad;
    }
    std::string many = "=";
    for (std::size_t i = 0; i <= MaxCatchUpPutts; ++i) {
        many += "1.000000|0.000000;";
    }
    EXPECT_FALSE(parseCatchUp(many, putts)) << "more putts than any game holds";
}

TEST(RoomProtocolTest, CoursesAreFoundByNameOrFileName) {
    const std::vector<OfferedCourse> offered = {{"Beginners' Nine", "beginners-nine.cou"},
                                                {"beginners-nine", "other.cou"}};
    EXPECT_EQ(findCourse(offered, "Beginners' Nine", 0), 0u);
    EXPECT_EQ(findCourse(offered, "beginners-nine", 0), 1u) << "names come before file names";
    EXPECT_EQ(findCourse(offered, "beginners-nine.cou", 1), 0u);
    EXPECT_EQ(findCourse(offered, "other", 0), 1u);
    EXPECT_EQ(findCourse(offered, "", 1), 1u);
    EXPECT_EQ(findCourse(offered, "", std::nullopt), std::nullopt);
    EXPECT_EQ(findCourse(offered, ".cou", 0), std::nullopt);
    EXPECT_EQ(findCourse(offered, "Nine", 0), std::nullopt);
}

// Values that spell the same code again and again.
std::function<std::uint32_t()> repeating(std::vector<std::uint32_t> values) {
    return [values, at = std::size_t{0}]() mutable { return values[at++ % values.size()]; };
}

TEST(RoomCodesTest, CodesAreValidDistinctAndRestAnHourAfterTheirRoomEnds) {
    RoomCodes secure;
    std::set<std::string> seen;
    const auto now = RoomCodes::Clock::now();
    for (int i = 0; i < 200; ++i) {
        const std::string code = secure.issue(now);
        EXPECT_TRUE(isCode(code)) << code;
        EXPECT_TRUE(seen.insert(code).second) << code << " issued twice";
    }

    // A source that can only ever spell one code.
    RoomCodes one(repeating({0, 1, 2, 3, 4, 5}));
    const std::string code = one.issue(now);
    EXPECT_EQ(code, "234567");
    EXPECT_EQ(one.issue(now), "") << "live";
    one.retire(code, now);
    EXPECT_EQ(one.issue(now + 59min), "") << "resting";
    EXPECT_EQ(one.issue(now + 61min), code);
    EXPECT_EQ(one.resting(), 0u);

    RoomCodes broken(repeating({UINT32_MAX}));
    EXPECT_EQ(broken.issue(now), "") << "gives up instead of drawing for ever";
}

TEST(RoomDirectoryTest, RoomsAreLimitedAndRefuseWithTheirReasons) {
    RoomCodes codes;
    RoomDirectory rooms(2, codes);
    const auto now = RoomCodes::Clock::now();
    const auto first = rooms.create(0, now);
    const auto second = rooms.create(1, now);
    ASSERT_TRUE(first.entered() && second.entered());
    EXPECT_EQ(rooms.create(0, now).refusal, Refusal::NoFreeRoom);
    EXPECT_EQ(rooms.join("222222").refusal, Refusal::NoSuchRoom);

    for (int i = 1; i < netproto::MaxClients; ++i) {
        ASSERT_TRUE(rooms.join(first.code).entered());
    }
    const auto full = rooms.join(first.code);
    EXPECT_EQ(full.refusal, Refusal::Full);
    EXPECT_EQ(full.code, first.code);
    rooms.markStarted(second.code);
    EXPECT_EQ(rooms.join(second.code).refusal, Refusal::Started);

    rooms.leave(second.code, now);
    EXPECT_EQ(rooms.find(second.code), nullptr) << "ends with its last client";
    EXPECT_FALSE(codes.isLive(second.code));
    EXPECT_EQ(codes.resting(), 1u);
    EXPECT_EQ(rooms.join(second.code).refusal, Refusal::NoSuchRoom);
    EXPECT_TRUE(rooms.create(2, now).entered()) << "its place is free again";
    EXPECT_EQ(rooms.find(first.code)->clients, netproto::MaxClients);
}

}  // namespace
}  // namespace trundlex
