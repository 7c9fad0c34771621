#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trundlex {

// What is wrong with a room link or code a person pasted or typed (InviteLink::problem).
enum class InviteProblem : std::int32_t {
    None = 0,
    // Nothing but spaces.
    Empty = 1,
    // A link of another kind than trundlex://, http:// or https:// ("ftp://...", "mailto:...").
    OtherScheme = 2,
    // The link's host is no host name or numeric address (an IPv6 address must be in brackets;
    // a user name or password before "@" is refused too).
    BadHost = 3,
    // The link's port is not a whole number from 1 to 65535.
    BadPort = 4,
    // A link that names no room: nothing after the host, or a web page's link without "#CODE".
    NoCode = 5,
    // The room's part of a link, or the text itself, is not a room code.
    BadCode = 6,
};

// A room to join, read from what a friend sent: a game link `trundlex://HOST[:PORT]/CODE`, the
// invite link of a room host's web page `http(s)://HOST[:PORT]/#CODE` (the page's own port is
// not the game's: the game connects to HOST at the default port), or a code alone, typed with
// or without dashes, spaces and lower case. An IPv6 host is written in brackets, with a zone as
// "%25" ("[fe80::1%25eth0]"). Spaces around the text are ignored, the scheme's case too.
struct InviteLink {
    // The host to connect to, in the form NetAddress reads (IPv6 without brackets); empty for a
    // code alone.
    std::string host;
    // The port to connect to: the link's own, else the default; 0 for a code alone.
    std::uint16_t port = 0;
    // The room's code as the host hands it out (normaliseCode).
    std::string code;
    InviteProblem problem = InviteProblem::None;

    bool valid() const { return problem == InviteProblem::None; }
    // A link, not a code alone: it names the host too.
    bool namesHost() const { return !host.empty(); }

    // Reads `text`; on failure only `problem` is set (host and code empty, port 0).
    static InviteLink parse(std::string_view text, std::uint16_t defaultPort);
    // The first room link inside `text` (a whole message pasted, or a link pasted after a code
    // already in the field): from "trundlex://", "http://" or "https://" (any case) up to the
    // next space or the end; empty when there is none. Whether it is a good link, parse says.
    static std::string_view linkWithin(std::string_view text);
    // Whether `text` is meant as a link (it starts with a scheme and "://" or ":"), so that what
    // is wrong with it is told as a link's fault rather than as a code's.
    static bool looksLikeLink(std::string_view text);

    // `host` and `port` as a person types them into an address field: the host, in brackets
    // when it is an IPv6 address, and ":port" unless `port` is `defaultPort`.
    static std::string hostText(std::string_view host, std::uint16_t port,
                                std::uint16_t defaultPort);
    // The game link of room `code` at `host` and `port` (the port left out when it is
    // `defaultPort`): what parse reads back to the same host, port and code.
    static std::string format(std::string_view host, std::uint16_t port, std::string_view code,
                              std::uint16_t defaultPort);
};

}  // namespace trundlex
