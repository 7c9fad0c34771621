#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trundlex {

// What is wrong with an address a person typed (NetAddress::problem).
enum class AddressProblem : std::int32_t {
    None = 0,
    // Nothing but spaces.
    Empty = 1,
    // A character no host name or numeric address has (a space inside, a slash, ...), or
    // a name that is too long.
    BadHost = 2,
    // "[" without "]", "[]", or something other than ":port" after "]".
    BadBrackets = 3,
    // The part after the host's ":" is not a whole number from 1 to 65535.
    BadPort = 4,
};

// `text` without the spaces, tabs and line ends around it (pasted text often brings some).
std::string_view trimSpaces(std::string_view text);

// The host and port of a server, read from what a person types: `host`, `host:port`,
// `1.2.3.4:port`, `[::1]:49732`, `[::1]`, or a bare IPv6 address such as `::1` (which takes
// the default port: its last group could not be told from a port). Spaces around it are
// ignored. The host is not looked up here; it is a name or a numeric address in the form
// NetGame::startClient takes (IPv6 without brackets).
struct NetAddress {
    std::string host;
    std::uint16_t port = 0;
    AddressProblem problem = AddressProblem::None;

    bool valid() const { return problem == AddressProblem::None; }

    // `defaultPort` is used when the text names none.
    static NetAddress parse(std::string_view text, std::uint16_t defaultPort);
};

}  // namespace trundlex
