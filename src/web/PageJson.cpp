#include "PageJson.h"

#include <cstdio>
#include <sstream>

#include "level/Level.h"
#include "level/LevelFile.h"
#include "library/Course.h"
#include "util/TextNumbers.h"

namespace trundlex::web {

namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when none is there.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char second = byte(i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
        return 0;
    }
    return length;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        const std::size_t length = utf8Length(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out += '"';
    return out;
}

std::string levelJson(const Level& level) {
    std::string out = "{\"id\":" + jsonString(level.id()) + ",\"name\":" +
                      jsonString(level.name()) + ",\"author\":" + jsonString(level.creator()) +
                      ",\"width\":" + std::to_string(level.width()) +
                      ",\"height\":" + std::to_string(level.height()) + ",\"start\":[" +
                      formatExact(level.startX()) + "," + formatExact(level.startY()) +
                      "],\"cells\":[";
    bool first = true;
    for (std::int32_t row = 0; row < level.height(); ++row) {
        for (std::int32_t column = 0; column < level.width(); ++column) {
            const Block& block = level.block(column, row);
            // A plain block (a square, or both layers alike) is drawn as a square of its back.
            const bool plain = block.isPlain();
            const int values[6] = {plain ? Square : block.shape(),    plain ? 0 : block.rotation(),
                                   block.back().kind(),                block.back().slope(),
                                   block.front().kind(),               block.front().slope()};
            for (const int value : values) {
                if (!first) {
                    out += ',';
                }
                first = false;
                out += std::to_string(value);
            }
        }
    }
    out += "]}";
    return out;
}

std::string courseJson(const Course& course) {
    std::string out = "{\"id\":" + jsonString(course.id()) + ",\"name\":" +
                      jsonString(course.name()) + ",\"levels\":[";
    for (int i = 0; i < course.levelCount(); ++i) {
        out += (i == 0 ? "" : ",") + jsonString(course.levelId(i));
    }
    out += "]}";
    return out;
}

bool levelFromBytes(std::string_view levFile, Level& level) {
    // The game looks levels up by their IDs: a level without one cannot be a hole.
    Level read;
    if (readLevelBytes(levFile, read) != LevelLoadResult::Loaded || read.id().empty()) {
        return false;
    }
    level = std::move(read);
    return true;
}

std::string levelFileJson(std::string_view levFile) {
    Level level;
    return levelFromBytes(levFile, level) ? levelJson(level) : std::string();
}

std::string courseFileJson(std::string_view couFile) {
    std::istringstream in{std::string(couFile)};
    Course course;
    if (!course.read(in)) {
        return {};
    }
    return courseJson(course);
}

}  // namespace trundlex::web
