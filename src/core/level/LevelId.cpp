#include "LevelId.h"

#include <cstdint>
#include <cstdio>

#include "Level.h"

namespace trundlex {

const LocalClock& systemLocalClock() {
    static const LocalClock clock = [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &now);
#else
        localtime_r(&now, &local);
#endif
        return local;
    };
    return clock;
}

std::string makeLevelId(const Level& level, const std::tm& t) {
    // 32-bit arithmetic that wraps around, done unsigned to keep it defined.
    std::uint32_t h = 0;
    for (std::int32_t x = 0; x < level.width(); ++x) {
        for (std::int32_t y = 0; y < level.height(); ++y) {
            const Block& b = level.block(x, y);
            h = h * 37u + static_cast<std::uint32_t>(b.shape());
            h = h * 37u + static_cast<std::uint32_t>(b.back().slope());
            h = h * 37u + static_cast<std::uint32_t>(b.front().kind());
            h = h * 37u + static_cast<std::uint32_t>(b.back().kind());
            h = h * 37u + static_cast<std::uint32_t>(b.front().slope());
        }
    }
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d%04d%02d%03d%02d%02d%02d",
                  static_cast<int>(static_cast<std::int32_t>(h)), t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_yday + 1, t.tm_hour, t.tm_mday, t.tm_sec);
    return buffer;
}

namespace {

std::string textWithoutId(Level level) {
    level.setId("");
    return level.toText();
}

}  // namespace

bool sameLevelContent(const Level& a, const Level& b) {
    return textWithoutId(a) == textWithoutId(b);
}

}  // namespace trundlex
