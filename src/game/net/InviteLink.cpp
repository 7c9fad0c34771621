#include "net/InviteLink.h"

#include <algorithm>

#include "net/NetAddress.h"
#include "net/RoomProtocol.h"

namespace trundlex {

namespace {

constexpr std::string_view SchemeEnd = "://";

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The scheme before "://" in lower case, or empty when the text does not start with one (a
// letter, then letters, digits, "+", "-" or ".").
std::string schemeOf(std::string_view text) {
    const std::size_t end = text.find(SchemeEnd);
    if (end == std::string_view::npos || end == 0 || !isLetter(text.front())) {
        return {};
    }
    std::string scheme;
    for (const char c : text.substr(0, end)) {
        if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return {};
        }
        scheme += lower(c);
    }
    return scheme;
}

InviteLink refused(InviteProblem problem) {
    InviteLink link;
    link.problem = problem;
    return link;
}

// Reads the "HOST[:PORT]" of a link into `link`; the problem when it is not one.
InviteProblem readAuthority(std::string_view authority, std::uint16_t defaultPort,
                            InviteLink& link) {
    if (authority.empty() || authority.find('@') != std::string_view::npos) {
        return InviteProblem::BadHost;
    }
    std::string address(authority);
    if (authority.front() == '[') {
        // A zone is written "%25" in a link ("[fe80::1%25eth0]"), "%" where a person types it.
        const std::size_t close = address.find(']');
        const std::size_t zone = address.find("%25");
        if (zone != std::string::npos && close != std::string::npos && zone < close) {
            address.erase(zone + 1, 2);
        }
    } else if (std::count(authority.begin(), authority.end(), ':') >= 2) {
        // "trundlex://2001:db8::7/CODE": its last group could be a port.
        return InviteProblem::BadHost;
    }
    const NetAddress parsed = NetAddress::parse(address, defaultPort);
    switch (parsed.problem) {
        case AddressProblem::None:
            link.host = parsed.host;
            link.port = parsed.port;
            return InviteProblem::None;
        case AddressProblem::BadPort:
            return InviteProblem::BadPort;
        case AddressProblem::Empty:
        case AddressProblem::BadHost:
        case AddressProblem::BadBrackets:
            break;
    }
    return InviteProblem::BadHost;
}

// Reads the room's part of a link: a code, perhaps with dashes; empty (NoCode) or not a code
// (BadCode) is a problem.
InviteProblem readCode(std::string_view text, InviteLink& link) {
    if (text.empty()) {
        return InviteProblem::NoCode;
    }
    link.code = roomproto::normaliseCode(text);
    return link.code.empty() ? InviteProblem::BadCode : InviteProblem::None;
}

}  // namespace

std::string_view InviteLink::linkWithin(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (const char c : text) {
        folded += lower(c);
    }
    std::size_t start = std::string::npos;
    for (const std::string_view scheme : {"trundlex://", "http://", "https://"}) {
        start = std::min(start, folded.find(scheme));
    }
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t end = text.find_first_of(" \t\r\n", start);
    return text.substr(start, end == std::string_view::npos ? end : end - start);
}

bool InviteLink::looksLikeLink(std::string_view text) {
    return !schemeOf(trimSpaces(text)).empty();
}

InviteLink InviteLink::parse(std::string_view text, std::uint16_t defaultPort) {
    text = trimSpaces(text);
    if (text.empty()) {
        return refused(InviteProblem::Empty);
    }
    const std::string scheme = schemeOf(text);
    if (scheme.empty()) {
        InviteLink link;
        link.code = roomproto::normaliseCode(text);
        return link.code.empty() ? refused(InviteProblem::BadCode) : link;
    }
    const bool game = scheme == "trundlex";
    if (!game && scheme != "http" && scheme != "https") {
        return refused(InviteProblem::OtherScheme);
    }
    const std::string_view rest = text.substr(scheme.size() + SchemeEnd.size());
    const std::size_t authorityEnd = rest.find_first_of("/?#");
    const std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view after =
        authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
    InviteLink link;
    if (const InviteProblem problem = readAuthority(authority, defaultPort, link);
        problem != InviteProblem::None) {
        return refused(problem);
    }
    InviteProblem problem = InviteProblem::None;
    if (game) {
        // "/CODE", with one "/" after it as some programs add.
        std::string_view path = after.empty() ? after : after.substr(1);
        if (!after.empty() && after.front() != '/') {
            problem = InviteProblem::BadCode;
        } else {
            if (path.ends_with('/')) {
                path.remove_suffix(1);
            }
            problem = readCode(path, link);
        }
    } else {
        // The web page's link: the page's path does not matter, the room is its "#CODE"; the
        // page's port is the web server's, not the game's.
        link.port = defaultPort;
        const std::size_t hash = after.find('#');
        problem = hash == std::string_view::npos ? InviteProblem::NoCode
                                                 : readCode(after.substr(hash + 1), link);
    }
    return problem == InviteProblem::None ? link : refused(problem);
}

std::string InviteLink::hostText(std::string_view host, std::uint16_t port,
                                 std::uint16_t defaultPort) {
    const bool ipv6 = host.find(':') != std::string_view::npos;
    std::string text = ipv6 ? "[" + std::string(host) + "]" : std::string(host);
    if (port != defaultPort) {
        text += ":" + std::to_string(port);
    }
    return text;
}

std::string InviteLink::format(std::string_view host, std::uint16_t port, std::string_view code,
                               std::uint16_t defaultPort) {
    std::string shown = hostText(host, port, defaultPort);
    if (const std::size_t zone = shown.find('%'); zone != std::string::npos) {
        shown.insert(zone + 1, "25");
    }
    return "trundlex://" + shown + "/" + std::string(code);
}

}  // namespace trundlex
