#include "TextNumbers.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "util/DecimalDigits.h"

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

// What printf and std::to_chars write for a value that is not finite.
std::string nonFinite(double value) {
    const char* word = std::isnan(value) ? "nan" : "inf";
    return std::signbit(value) ? std::string("-") + word : std::string(word);
}

std::string signOf(double value) {
    return std::signbit(value) ? "-" : "";
}

// "1.2500" -> "1.25", "3.000" -> "3": what "%g" leaves out.
void trimFraction(std::string& text) {
    if (text.find('.') == std::string::npos) {
        return;
    }
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
}

// True when the mantissa of a decimal number (its digits before any exponent) has a digit
// other than zero.
bool mantissaAboveZero(const char* first, const char* last) {
    for (; first != last && *first != 'e' && *first != 'E'; ++first) {
        if (*first >= '1' && *first <= '9') {
            return true;
        }
    }
    return false;
}

}  // namespace

std::from_chars_result readDouble(const char* first, const char* last, double& value) {
    double parsed = 0.0;
    const auto read =
        fast_float::from_chars(first, last, parsed, fast_float::chars_format::general);
    if (read.ec != std::errc()) {
        return {read.ptr, read.ec};
    }
    // Beyond the range of a double the parser answers infinity or zero; std::from_chars calls
    // that out of range and leaves the value alone, and so does this.
    const char* body = (first != read.ptr && *first == '-') ? first + 1 : first;
    const bool spelled = body != read.ptr && !(*body == '.' || (*body >= '0' && *body <= '9'));
    if (!spelled && (std::isinf(parsed) || (parsed == 0.0 && mantissaAboveZero(body, read.ptr)))) {
        return {read.ptr, std::errc::result_out_of_range};
    }
    value = parsed;
    return {read.ptr, std::errc()};
}

std::string formatFixed(double value, int fraction) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    fraction = std::clamp(fraction, 0, 400);
    DecimalDigits digits(value);
    digits.roundAt(-fraction);
    return signOf(value) + digits.fixed(fraction);
}

std::string formatGeneral(double value, int significant) {
    if (!std::isfinite(value)) {
        return nonFinite(value);
    }
    const int count = std::clamp(significant, 1, 400);
    DecimalDigits digits(value);
    digits.roundToSignificant(count);
    // The exponent "%e" would show, after rounding, picks the form.
    const int exponent = digits.leadingPlace();
    std::string text;
    if (exponent < count && exponent >= -4) {
        text = digits.fixed(count - 1 - exponent);
        trimFraction(text);
    } else {
        const std::string mantissa = digits.significant(count);
        text = mantissa.substr(0, 1);
        if (count > 1) {
            text += "." + mantissa.substr(1);
            trimFraction(text);
        }
        const int size = std::abs(exponent);
        text += exponent < 0 ? "e-" : "e+";
        text += (size < 10 ? "0" : "") + std::to_string(size);
    }
    return signOf(value) + text;
}

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
    // readDouble would read "nan" and "inf" and a second sign; none of them is a number here.
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, error] = readDouble(text.data(), text.data() + text.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string formatFixed6(double value) {
    return formatFixed(value, 6);
}

std::string formatExact(double value) {
    return formatGeneral(value, 17);
}

}  // namespace trundlex
