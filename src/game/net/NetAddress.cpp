#include "net/NetAddress.h"

#include <algorithm>

namespace trundlex {

namespace {

// The longest host name DNS can carry.
constexpr std::size_t kMaxHostBytes = 253;

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A host name or a numeric IPv4 address: letters, digits, '-', '_' and '.'.
bool isNameOrIpv4(std::string_view host) {
    return !host.empty() && host.size() <= kMaxHostBytes &&
           std::all_of(host.begin(), host.end(),
                       [](char c) { return isAsciiAlnum(c) || c == '-' || c == '_' || c == '.'; });
}

// An IPv6 address as far as its characters go (hex digits, ':' and '.' for an IPv4 tail),
// at least two colons, and perhaps a zone ("%eth0") after it. The resolver judges the rest.
bool looksLikeIpv6(std::string_view host) {
    const std::size_t zone = host.find('%');
    const std::string_view address = host.substr(0, zone);
    if (std::count(address.begin(), address.end(), ':') < 2 || host.size() > kMaxHostBytes) {
        return false;
    }
    const bool addressOk = std::all_of(address.begin(), address.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
               c == ':' || c == '.';
    });
    if (!addressOk || zone == std::string_view::npos) {
        return addressOk;
    }
    const std::string_view name = host.substr(zone + 1);
    return !name.empty() && std::all_of(name.begin(), name.end(),
                                        [](char c) { return isAsciiAlnum(c) || c == '_'; });
}

// A port written as digits only, from 1 to 65535.
bool parsePort(std::string_view text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value < 1 || value > 65535) {
        return false;
    }
    port = static_cast<std::uint16_t>(value);
    return true;
}

NetAddress refused(AddressProblem problem) {
    NetAddress address;
    address.problem = problem;
    return address;
}

}  // namespace

std::string_view trimSpaces(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

NetAddress NetAddress::parse(std::string_view text, std::uint16_t defaultPort) {
    text = trimSpaces(text);
    if (text.empty()) {
        return refused(AddressProblem::Empty);
    }
    NetAddress address;
    address.port = defaultPort;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || close == 1) {
            return refused(AddressProblem::BadBrackets);
        }
        const std::string_view host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!looksLikeIpv6(host)) {
            return refused(AddressProblem::BadHost);
        }
        if (!rest.empty() && (rest.front() != ':' || !parsePort(rest.substr(1), address.port))) {
            return refused(rest.front() == ':' ? AddressProblem::BadPort
                                               : AddressProblem::BadBrackets);
        }
        address.host = std::string(host);
        return address;
    }
    const auto colons = std::count(text.begin(), text.end(), ':');
    if (colons >= 2) {
        if (!looksLikeIpv6(text)) {
            return refused(AddressProblem::BadHost);
        }
        address.host = std::string(text);
        return address;
    }
    std::string_view host = text;
    if (colons == 1) {
        const std::size_t colon = text.find(':');
        host = text.substr(0, colon);
        if (!parsePort(text.substr(colon + 1), address.port)) {
            return refused(AddressProblem::BadPort);
        }
    }
    if (!isNameOrIpv4(host)) {
        return refused(AddressProblem::BadHost);
    }
    address.host = std::string(host);
    return address;
}

}  // namespace trundlex
