// What one address may do at a room host: places, rooms, creations and failed joins.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "net/AddressLimits.h"

namespace trundlex {
namespace {

using namespace std::chrono_literals;
using Creation = AddressLimits::Creation;

TEST(AddressLimitsTest, AnIpv6SlashSixtyFourCountsAsOneAddressAndIpv4AddressesAlone) {
    const auto key = &AddressLimits::keyOf;
    EXPECT_EQ(key("2001:db8:0:7::1"), key("2001:0DB8:0000:0007:ffff:1:2:3"));
    EXPECT_EQ(key("2001:db8:0:7::1"), key("2001:db8:0:7:0:0:0:9"));
    EXPECT_NE(key("2001:db8:0:7::1"), key("2001:db8:0:8::1"));
    EXPECT_EQ(key("::ffff:192.0.2.7"), key("192.0.2.7")) << "an IPv4 peer on a dual-stack socket";
    EXPECT_NE(key("192.0.2.7"), key("192.0.2.8"));
    EXPECT_EQ(key("::1"), key("0:0:0:0:0:0:0:2"));
}

TEST(AddressLimitsTest, ConnectionPlacesAreHeldUntilTheirLeasesGo) {
    AddressLimits limits({.connections = 3});
    std::vector<std::shared_ptr<void>> held;
    for (int i = 0; i < 3; ++i) {
        held.push_back(limits.admitConnection("192.0.2.7"));
        ASSERT_NE(held.back(), nullptr);
    }
    EXPECT_EQ(limits.admitConnection("192.0.2.7"), nullptr);
    EXPECT_NE(limits.admitConnection("192.0.2.8"), nullptr) << "another address is not held up";
    held.pop_back();
    EXPECT_NE(limits.admitConnection("192.0.2.7"), nullptr) << "a place comes back with its lease";
}

TEST(AddressLimitsTest, RoomsAreBoundedAliveAndPerMinute) {
    AddressLimits limits({.roomsAlive = 2, .creationsPerMinute = 3});
    const auto t0 = AddressLimits::Clock::time_point{} + 1h;
    std::shared_ptr<void> a;
    std::shared_ptr<void> b;
    std::shared_ptr<void> c;
    EXPECT_EQ(limits.createRoom("192.0.2.7", t0, a), Creation::Allowed);
    EXPECT_EQ(limits.createRoom("192.0.2.7", t0, b), Creation::Allowed);
    EXPECT_EQ(limits.createRoom("192.0.2.7", t0, c), Creation::TooManyAlive);
    EXPECT_EQ(c, nullptr);
    EXPECT_EQ(limits.createRoom("192.0.2.9", t0, c), Creation::Allowed) << "each address alone";
    c.reset();

    a.reset();
    EXPECT_EQ(limits.createRoom("192.0.2.7", t0 + 1s, a), Creation::Allowed) << "a room ended";
    a.reset();
    EXPECT_EQ(limits.createRoom("192.0.2.7", t0 + 2s, a), Creation::TooFast)
        << "three creations within the minute already";
    EXPECT_EQ(limits.createRoom("192.0.2.7", t0 + 61s, a), Creation::Allowed);
}

TEST(AddressLimitsTest, FailedJoinsLockTheAddressOutForTheLockoutThenLetItTryAgain) {
    AddressLimits limits({.failedJoins = 3, .failWindow = 600s, .lockout = 600s});
    const auto t0 = AddressLimits::Clock::time_point{} + 1h;
    EXPECT_FALSE(limits.joinFailed("192.0.2.7", t0));
    EXPECT_FALSE(limits.joinFailed("192.0.2.7", t0 + 1s));
    EXPECT_FALSE(limits.joinsLocked("192.0.2.7", t0 + 2s));
    EXPECT_TRUE(limits.joinFailed("192.0.2.7", t0 + 2s)) << "the third failure locks it out";
    EXPECT_TRUE(limits.joinsLocked("192.0.2.7", t0 + 3s));
    EXPECT_TRUE(limits.joinsLocked("192.0.2.7", t0 + 601s));
    EXPECT_FALSE(limits.joinsLocked("192.0.2.8", t0 + 3s)) << "nobody else";
    EXPECT_FALSE(limits.joinsLocked("192.0.2.7", t0 + 603s));

    // Failures further apart than the window never add up to a lockout.
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(limits.joinFailed("192.0.2.9", t0 + i * 301s));
    }
}

TEST(AddressLimitsTest, AddressesHoldingNothingAreForgotten) {
    AddressLimits limits({});
    {
        std::vector<std::shared_ptr<void>> held;
        for (int i = 0; i < 200; ++i) {
            held.push_back(limits.admitConnection("10.0." + std::to_string(i) + ".1"));
        }
        EXPECT_EQ(limits.tracked(), 200u);
    }
    EXPECT_EQ(limits.tracked(), 0u);
}

}  // namespace
}  // namespace trundlex
