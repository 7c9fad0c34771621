#include "TextNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace trundlex {

namespace {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) {
        ++i;
    }
    return text.substr(i);
}

}  // namespace

std::int32_t parseLeadingInt(std::string_view text) {
    text = skipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min<std::int64_t>(magnitude * 10 + (c - '0'), limit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

double parseLeadingDouble(std::string_view text) {
    text = skipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // from_chars would read "nan" and "inf" and a second sign; none of them is a number here.
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    (void)end;
    if (error != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string formatFixed6(double value) {
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (error != std::errc()) {
        return "0.000000";
    }
    return std::string(buffer, end);
}

std::string formatExact(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    if (error != std::errc()) {
        return "0";
    }
    return std::string(buffer, end);
}

}  // namespace trundlex
