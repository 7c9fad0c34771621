#include "EventLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace trundlex::tool {

std::string lineSafe(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string safe;
    safe.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || c == '\\') {
            safe += "\\x";
            safe += kHex[byte >> 4];
            safe += kHex[byte & 0xf];
        } else {
            safe += c;
        }
    }
    return safe;
}

std::string EventLog::timestamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
#if defined(_WIN32)
    gmtime_s(&utc, &seconds);
#else
    gmtime_r(&seconds, &utc);
#endif
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(millis));
    return text;
}

void EventLog::line(const std::string& text) {
    if (parent_ != nullptr) {
        parent_->line(prefix_ + text);
        return;
    }
    const std::string stamped = timestamp() + " " + text;
    std::lock_guard lock(mutex_);
    *out_ << stamped << '\n' << std::flush;
}

}  // namespace trundlex::tool
