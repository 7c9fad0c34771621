// What a friend pastes to join a room: a game link, a room host's web page link, or a code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/InviteLink.h"

namespace trundlex::testing {
namespace {

constexpr std::uint16_t Default = 49732;

struct LinkCase {
    std::string text;
    std::string host;
    std::uint16_t port;
    std::string code;
    InviteProblem problem;
};

void expectRead(const std::vector<LinkCase>& cases) {
    for (const LinkCase& c : cases) {
        const InviteLink link = InviteLink::parse(c.text, Default);
        EXPECT_EQ(link.problem, c.problem) << '"' << c.text << '"';
        EXPECT_EQ(link.host, c.host) << '"' << c.text << '"';
        EXPECT_EQ(link.port, c.port) << '"' << c.text << '"';
        EXPECT_EQ(link.code, c.code) << '"' << c.text << '"';
    }
}

TEST(InviteLinkTest, ReadsGameLinksWithAndWithoutAPort) {
    using enum InviteProblem;
    expectRead({
        {"trundlex://golf.example.org/K7QX2M", "golf.example.org", Default, "K7QX2M", None},
        {"trundlex://golf.example.org:50000/K7QX2M", "golf.example.org", 50000, "K7QX2M", None},
        {"  TrundleX://192.0.2.7:1/k7q-x2m/\n", "192.0.2.7", 1, "K7QX2M", None},
        {"trundlex://localhost/K7QX2M/", "localhost", Default, "K7QX2M", None},
    });
}

TEST(InviteLinkTest, ReadsIpv6HostsInBrackets) {
    using enum InviteProblem;
    expectRead({
        {"trundlex://[::1]/K7QX2M", "::1", Default, "K7QX2M", None},
        {"trundlex://[2001:db8::7]:50001/K7QX2M", "2001:db8::7", 50001, "K7QX2M", None},
        {"trundlex://[fe80::1%25eth0]:50001/K7QX2M", "fe80::1%eth0", 50001, "K7QX2M", None},
        {"https://[2001:db8::7]:8443/#K7QX2M", "2001:db8::7", Default, "K7QX2M", None},
        {"trundlex://2001:db8::7/K7QX2M", "", 0, "", BadHost},
        {"trundlex://[2001:db8::7/K7QX2M", "", 0, "", BadHost},
        {"trundlex://[golf]/K7QX2M", "", 0, "", BadHost},
    });
}

// The web page's port is its web server's: the game goes to the host's game port.
TEST(InviteLinkTest, ABrowserInviteLinkConnectsToTheDefaultGamePort) {
    using enum InviteProblem;
    expectRead({
        {"http://golf.example.org/#K7QX2M", "golf.example.org", Default, "K7QX2M", None},
        {"https://golf.example.org:8443/#k7qx-2m", "golf.example.org", Default, "K7QX2M", None},
        {"HTTP://localhost:8080/#K7QX2M", "localhost", Default, "K7QX2M", None},
        {"https://golf.example.org/play/index.html#K7QX2M", "golf.example.org", Default, "K7QX2M",
         None},
        {"https://golf.example.org#K7QX2M", "golf.example.org", Default, "K7QX2M", None},
        {"https://golf.example.org/", "", 0, "", NoCode},
        {"https://golf.example.org/#", "", 0, "", NoCode},
        {"https://golf.example.org/K7QX2M", "", 0, "", NoCode},
        {"https://golf.example.org:http/#K7QX2M", "", 0, "", BadPort},
    });
}

TEST(InviteLinkTest, ReadsACodeAloneAsTypedOrReadOut) {
    using enum InviteProblem;
    expectRead({
        {"K7QX2M", "", 0, "K7QX2M", None},
        {" k7q-x2m ", "", 0, "K7QX2M", None},
        {"K7Q X2M", "", 0, "K7QX2M", None},
        {"K7-QX-2M", "", 0, "K7QX2M", None},
    });
}

TEST(InviteLinkTest, RefusesAnythingElseWithItsReason) {
    using enum InviteProblem;
    expectRead({
        {"", "", 0, "", Empty},
        {" \t\n", "", 0, "", Empty},
        {"ftp://golf.example.org/K7QX2M", "", 0, "", OtherScheme},
        {"mailto://bea@example.org", "", 0, "", OtherScheme},
        {"trundlex:///K7QX2M", "", 0, "", BadHost},
        {"trundlex://bea@golf.example.org/K7QX2M", "", 0, "", BadHost},
        {"trundlex://golf example/K7QX2M", "", 0, "", BadHost},
        {"trundlex://golf.example.org:0/K7QX2M", "", 0, "", BadPort},
        {"trundlex://golf.example.org:65536/K7QX2M", "", 0, "", BadPort},
        {"trundlex://[::1]:/K7QX2M", "", 0, "", BadPort},
        {"trundlex://golf.example.org", "", 0, "", NoCode},
        {"trundlex://golf.example.org/", "", 0, "", NoCode},
        {"trundlex://golf.example.org/K7QXI0", "", 0, "", BadCode},
        {"trundlex://golf.example.org/K7QX2M/more", "", 0, "", BadCode},
        {"trundlex://golf.example.org/K7QX2M?x=1", "", 0, "", BadCode},
        {"trundlex://golf.example.org?K7QX2M", "", 0, "", BadCode},
        {"https://golf.example.org/#K7QX2", "", 0, "", BadCode},
        {"K7QX2", "", 0, "", BadCode},
        {"K7QX2MM", "", 0, "", BadCode},
        {"golf.example.org/K7QX2M", "", 0, "", BadCode},
        {"golf.example.org:49732", "", 0, "", BadCode},
    });
}

TEST(InviteLinkTest, TellsALinkFromACode) {
    EXPECT_TRUE(InviteLink::looksLikeLink(" trundlex://golf/K7QX2M"));
    EXPECT_TRUE(InviteLink::looksLikeLink("ftp://golf/K7QX2M"));
    EXPECT_FALSE(InviteLink::looksLikeLink("K7QX2M"));
    EXPECT_FALSE(InviteLink::looksLikeLink("golf.example.org:49732"));
    EXPECT_FALSE(InviteLink::looksLikeLink("://golf/K7QX2M"));
}

// A friend pastes the whole message, or pastes after a code already in the field.
TEST(InviteLinkTest, FindsTheLinkInsideAPastedText) {
    EXPECT_EQ(InviteLink::linkWithin("Join us! trundlex://golf.example.org/K7QX2M see you"),
              "trundlex://golf.example.org/K7QX2M");
    EXPECT_EQ(InviteLink::linkWithin("Q7HX2MTrundlex://golf.example.org:50001/K7QX2M"),
              "Trundlex://golf.example.org:50001/K7QX2M");
    EXPECT_EQ(InviteLink::linkWithin("room:\nHTTPS://golf.example.org/#K7QX2M\n"),
              "HTTPS://golf.example.org/#K7QX2M");
    EXPECT_EQ(InviteLink::linkWithin("https://a.example/#K7QX2M or trundlex://b.example/K7QX2M"),
              "https://a.example/#K7QX2M");
    EXPECT_EQ(InviteLink::linkWithin("K7QX2M"), "");
    EXPECT_EQ(InviteLink::linkWithin("ftp://golf.example.org/K7QX2M"), "");
}

TEST(InviteLinkTest, AFormattedLinkLeavesOutTheDefaultPortAndBracketsIpv6) {
    EXPECT_EQ(InviteLink::format("golf.example.org", Default, "K7QX2M", Default),
              "trundlex://golf.example.org/K7QX2M");
    EXPECT_EQ(InviteLink::format("192.0.2.7", 50000, "K7QX2M", Default),
              "trundlex://192.0.2.7:50000/K7QX2M");
    EXPECT_EQ(InviteLink::format("2001:db8::7", 50000, "K7QX2M", Default),
              "trundlex://[2001:db8::7]:50000/K7QX2M");
    EXPECT_EQ(InviteLink::hostText("2001:db8::7", Default, Default), "[2001:db8::7]");
    EXPECT_EQ(InviteLink::hostText("golf.example.org", 50000, Default), "golf.example.org:50000");
}

// Every host form the game connects to comes back from its own link as it went in.
TEST(InviteLinkTest, AFormattedLinkReadsBackToItsHostPortAndCode) {
    for (const auto& [host, port] :
         std::vector<std::pair<std::string, std::uint16_t>>{{"golf.example.org", Default},
                                                            {"golf.example.org", 1},
                                                            {"192.0.2.7", 65535},
                                                            {"::1", Default},
                                                            {"fe80::1%eth0", 50001},
                                                            {"::ffff:192.0.2.7", 50001}}) {
        const std::string text = InviteLink::format(host, port, "K7QX2M", Default);
        const InviteLink link = InviteLink::parse(text, Default);
        EXPECT_TRUE(link.valid()) << text;
        EXPECT_EQ(link.host, host) << text;
        EXPECT_EQ(link.port, port) << text;
        EXPECT_EQ(link.code, "K7QX2M") << text;
    }
}

}  // namespace
}  // namespace trundlex::testing
