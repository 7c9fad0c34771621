// The seats a room's server keeps for clients that come back.
#include <gtest/gtest.h>

#include "net/SeatBook.h"

namespace trundlex {
namespace {

TEST(SeatBook, AnEmptySeatKeepsItsPlayersForItsToken) {
    SeatBook seats;
    seats.assign("AAAA", 3);
    seats.assign("BBBB", 4);
    seats.vacate(3, {"Ann", "Cy"});
    SeatBook::Seat* seat = seats.findToken("AAAA");
    ASSERT_NE(seat, nullptr);
    EXPECT_EQ(seat->connection, 0);
    EXPECT_EQ(seat->names, (std::vector<std::string>{"Ann", "Cy"}));
    EXPECT_EQ(seats.findConnection(4)->token, "BBBB");
    EXPECT_EQ(seats.findConnection(0), nullptr) << "an empty seat is nobody's";
    EXPECT_EQ(seats.findToken("AAAB"), nullptr);
    EXPECT_EQ(seats.findToken("AAA"), nullptr);
    EXPECT_EQ(seats.findToken(""), nullptr);
    SeatBook none;
    none.assign("", 5);
    EXPECT_EQ(none.seatCount(), 0u) << "no token, no seat";
}

TEST(SeatBook, ATokenTakenAgainMovesItsSeatToTheNewConnection) {
    SeatBook seats;
    seats.assign("AAAA", 3);
    seats.vacate(3, {});
    seats.assign("AAAA", 9);
    EXPECT_EQ(seats.seatCount(), 1u);
    EXPECT_EQ(seats.findToken("AAAA")->connection, 9);
    seats.forget(9);
    EXPECT_EQ(seats.findToken("AAAA"), nullptr) << "a client taken out has no seat left";
}

TEST(SeatBook, ChurnInALobbyKeepsTheSeatsOfThoseStillThereAndNoMoreThanTheBound) {
    SeatBook seats;
    seats.assign("KEEP", 1);
    for (int i = 2; i < 1000; ++i) {
        seats.assign("T" + std::to_string(i), i);
        seats.vacate(i, {});
    }
    EXPECT_LE(seats.seatCount(), SeatBook::MaxSeats);
    EXPECT_NE(seats.findToken("KEEP"), nullptr) << "an occupied seat is never dropped";
    EXPECT_NE(seats.findToken("T999"), nullptr) << "the newest empty seat stays";
    EXPECT_EQ(seats.findToken("T2"), nullptr) << "the oldest empty seat went";
}

TEST(SeatBook, AGameLongerThanACatchUpCanCarryIsMarkedIncompleteUntilTheNextStart) {
    SeatBook seats;
    seats.recordPutt("1.000000|2.000000");
    EXPECT_TRUE(seats.complete());
    for (std::size_t i = 0; i < SeatBook::MaxPutts; ++i) {
        seats.recordPutt("1.000000|2.000000");
    }
    EXPECT_FALSE(seats.complete());
    EXPECT_EQ(seats.putts().size(), SeatBook::MaxPutts);
    seats.clearPutts();
    EXPECT_TRUE(seats.complete());
    EXPECT_TRUE(seats.putts().empty());
}

}  // namespace
}  // namespace trundlex
