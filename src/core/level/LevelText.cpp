// The level text and the archive string that carries it.
#include "util/TextNumbers.h"
#include "Archive.h"
#include "Level.h"

namespace trundlex {

namespace {

constexpr std::string_view kTag = "Trundlex1";
constexpr std::string_view kTagAlfa2 = "Trundlex alfa2";
// Files of the first alpha numbered the slope digits differently; they are read through a
// conversion of those digits.
constexpr std::string_view kTagAlfa1 = "Trunldex alfa1";
// The shortest cell field, "{$}".
constexpr std::uint64_t kMinCellFieldBytes = 3;

// Takes brace-delimited fields off the front of a text. Anything outside braces is skipped.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    std::string_view next() {
        const auto open = text_.find('{', pos_);
        if (open == std::string_view::npos) {
            pos_ = text_.size();
            return {};
        }
        const auto close = text_.find('}', open);
        if (close == std::string_view::npos) {
            pos_ = text_.size();
            return {};
        }
        pos_ = close + 1;
        return text_.substr(open + 1, close - open - 1);
    }

    std::size_t remaining() const { return text_.size() - pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Old slope digit d becomes "810765432"[d]; old 0 meant flat.
void convertAlfa1Code(std::string& code) {
    static constexpr std::string_view kNewDigit = "810765432";
    for (std::size_t pos : {std::size_t{3}, std::size_t{5}}) {
        if (pos < code.size() && code[pos] >= '0' && code[pos] <= '8') {
            code[pos] = kNewDigit[static_cast<std::size_t>(code[pos] - '0')];
        }
    }
}

}  // namespace

std::string Level::toText() const {
    std::string text;
    text.reserve(64 + name_.size() + creator_.size() + id_.size() +
                 static_cast<std::size_t>(width()) * static_cast<std::size_t>(height()) * 4);
    text += "{";
    text += kTag;
    text += "}\r\n{" + id_ + "}\r\n{" + name_ + "}{" + creator_ + "}\r\n";
    text += "{" + std::to_string(width()) + "}{" + std::to_string(height()) + "}\r\n";
    text += "{" + formatFixed6(startX_) + "}{" + formatFixed6(startY_) + "}\r\n";
    for (std::int32_t r = 0; r < height(); ++r) {
        for (std::int32_t c = 0; c < width(); ++c) {
            text += '{';
            text += block(c, r).toText();
            text += '}';
        }
        text += "\r\n";
    }
    return text;
}

bool Level::fromText(std::string_view text, std::int32_t maxSide) {
    FieldReader fields(text);
    const std::string_view tag = fields.next();
    const bool alfa1 = tag == kTagAlfa1;
    if (tag != kTag && tag != kTagAlfa2 && !alfa1) {
        return false;
    }
    const std::string_view id = fields.next();
    const std::string_view name = fields.next();
    const std::string_view creator = fields.next();
    const std::int32_t width = parseLeadingInt(fields.next());
    const std::int32_t height = parseLeadingInt(fields.next());
    const double startX = parseLeadingDouble(fields.next());
    const double startY = parseLeadingDouble(fields.next());
    if (width < 2 || height < 2 || width > maxSide || height > maxSide) {
        return false;
    }
    // A header may claim any size; refuse one whose cells the rest of the text cannot hold
    // before allocating anything for it.
    const std::uint64_t cells = std::uint64_t(width) * std::uint64_t(height);
    if (cells > fields.remaining() / kMinCellFieldBytes) {
        return false;
    }

    setName(name);
    setCreator(creator);
    id_ = std::string(id);
    resize(width, height);
    startX_ = startX;
    startY_ = startY;
    clampStart();

    std::string converted;
    for (std::int32_t r = 0; r < height; ++r) {
        for (std::int32_t c = 0; c < width; ++c) {
            const std::string_view code = fields.next();
            if (code.empty()) {
                return false;
            }
            if (alfa1) {
                converted.assign(code);
                convertAlfa1Code(converted);
                block(c, r).fromText(converted);
            } else {
                block(c, r).fromText(code);
            }
        }
    }
    modified_ = false;
    return true;
}

bool Level::readFrom(ArchiveReader& archive) {
    std::string text;
    const bool ok = archive.readString(text) && fromText(text);
    modified_ = false;
    return ok;
}

bool Level::writeTo(ArchiveWriter& archive, const LocalClock& clock) {
    id_ = makeLevelId(*this, clock());
    archive.writeString(toText());
    modified_ = false;
    return archive.ok();
}

}  // namespace trundlex
