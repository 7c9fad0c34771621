#include "model/RegionText.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace trundlex {

namespace {

// The next brace-delimited field; nullopt when no closed field is left. Text between fields
// is skipped.
std::optional<std::string_view> nextField(std::string_view text, std::size_t& pos) {
    const std::size_t open = text.find('{', pos);
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t close = text.find('}', open);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    pos = close + 1;
    return text.substr(open + 1, close - open - 1);
}

// A side length written as plain decimal digits; nullopt for anything else.
std::optional<std::int64_t> parseSide(std::string_view field) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

// Whether `tag` opens a level text: asked of the level reader with the smallest level, so
// that the tags it knows are known here too.
bool isLevelTag(std::string_view tag) {
    if (tag.find_first_of("{}") != std::string_view::npos) {
        return false;
    }
    Level probe;
    return probe.fromText("{" + std::string(tag) + "}{}{}{}{2}{2}{1}{1}{$}{$}{$}{$}");
}

}  // namespace

std::string regionText(const Level& region) {
    return region.toText();
}

RegionTextResult readRegionText(std::string_view text, Level& region) {
    std::size_t pos = 0;
    const auto tag = nextField(text, pos);
    if (!tag || !isLevelTag(*tag)) {
        return RegionTextResult::NotBlocks;
    }
    std::optional<std::string_view> header[7];  // ID, name, creator, width, height, start x, y
    for (auto& field : header) {
        field = nextField(text, pos);
        if (!field) {
            return RegionTextResult::Damaged;
        }
    }
    const auto width = parseSide(*header[3]);
    const auto height = parseSide(*header[4]);
    if (!width || !height || *width < 1 || *height < 1) {
        return RegionTextResult::Damaged;
    }
    if (*width > Level::MaxEditorSide || *height > Level::MaxEditorSide) {
        return RegionTextResult::TooLarge;
    }
    Level read(static_cast<std::int32_t>(*width), static_cast<std::int32_t>(*height));
    for (std::int32_t r = 0; r < read.height(); ++r) {
        for (std::int32_t c = 0; c < read.width(); ++c) {
            const auto code = nextField(text, pos);
            if (!code || code->empty() || !read.block(c, r).fromText(*code)) {
                return RegionTextResult::Damaged;
            }
        }
    }
    region = std::move(read);
    return RegionTextResult::Read;
}

}  // namespace trundlex
