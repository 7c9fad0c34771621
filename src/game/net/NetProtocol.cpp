#include "net/NetProtocol.h"

#include <algorithm>
#include <cmath>

#include "util/TextNumbers.h"

namespace trundlex::netproto {

std::string_view BodyReader::takeField() {
    const std::size_t bar = rest_.find('|');
    if (bar == std::string_view::npos) {
        const std::string_view field = rest_;
        rest_ = {};
        return field;
    }
    const std::string_view field = rest_.substr(0, bar);
    rest_.remove_prefix(bar + 1);
    return field;
}

std::int32_t BodyReader::takeInt() {
    return parseLeadingInt(takeField());
}

std::string encodePlayerRecord(const PlayerRecord& record) {
    std::string text = cleanName(record.name);
    text += '|';
    text += std::to_string(static_cast<std::int32_t>(record.colour));
    text += '|';
    text += std::to_string(record.pattern);
    text += '|';
    text += record.transparent ? "1" : "0";
    text += '|';
    return text;
}

bool readPlayerRecord(BodyReader& reader, PlayerRecord& record) {
    const std::string_view name = reader.takeField();
    const std::int32_t colour = reader.takeInt();
    const std::int32_t pattern = reader.takeInt();
    const std::int32_t transparent = reader.takeInt();
    if (checkName(name) != TextProblem::None) {
        return false;
    }
    record.name = std::string(name);
    record.colour = static_cast<std::uint32_t>(colour);
    record.pattern = pattern >= 0 && pattern <= MaxPattern ? pattern : 0;
    record.transparent = transparent != 0;
    return true;
}

std::string encodeNewPlayer(const PlayerRecord& record, bool computer) {
    return encodePlayerRecord(record) + (computer ? "1|" : "");
}

bool readNewPlayer(std::string_view body, PlayerRecord& record, bool& computer) {
    BodyReader reader(body);
    const bool valid = readPlayerRecord(reader, record);
    computer = !reader.empty() && reader.takeInt() == 1;
    return valid;
}

std::string encodePutt(double& force, double& angle) {
    const std::string forceText = formatFixed6(force);
    const std::string angleText = formatFixed6(angle);
    force = parseLeadingDouble(forceText);
    angle = parseLeadingDouble(angleText);
    return forceText + "|" + angleText;
}

bool decodePutt(std::string_view body, double& force, double& angle) {
    BodyReader reader(body);
    const double f = parseLeadingDouble(reader.takeField());
    const double a = parseLeadingDouble(reader.takeField());
    // parseLeadingDouble never answers NaN or infinity; a force beyond what a player can
    // build up would only send a ball through walls.
    if (!(f >= 0.0 && f <= MaxPuttForce)) {
        return false;
    }
    force = f;
    angle = a;
    return true;
}

std::string encodeAim(double aim) {
    if (!std::isfinite(aim)) {
        return "0.00";
    }
    return formatFixed(aim, 2);
}

namespace {

// The longest body either form needs for any value a player can give: a force of at most
// MaxPuttForce and an angle or aim of a few thousand at the very most. Longer bodies are
// refused before a number is read.
constexpr std::size_t kMaxPuttBodyBytes = 48;
constexpr std::size_t kMaxAimBodyBytes = 24;

}  // namespace

bool isPuttBody(std::string_view body) {
    double force = 0.0;
    double angle = 0.0;
    if (body.size() > kMaxPuttBodyBytes || !decodePutt(body, force, angle)) {
        return false;
    }
    return encodePutt(force, angle) == body;
}

bool isAimBody(std::string_view body) {
    return body.size() <= kMaxAimBodyBytes && encodeAim(parseLeadingDouble(body)) == body;
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += names[i];
    }
    return text;
}

std::string cleanName(std::string_view name) {
    std::string clean = cleanText(name.substr(0, std::min(name.size(), MaxNameBytes)));
    for (char& c : clean) {
        if (c == '|') {
            c = '/';
        }
    }
    return clean.empty() ? "?" : clean;
}

std::string cleanText(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (c == '\x07') {
            c = ' ';
        }
    }
    return clean;
}

TextProblem checkName(std::string_view name) {
    if (name.empty()) {
        return TextProblem::Empty;
    }
    if (name.find('\x07') != std::string_view::npos) {
        return TextProblem::Terminator;
    }
    if (name.find('|') != std::string_view::npos) {
        return TextProblem::Separator;
    }
    if (name.size() > MaxNameBytes) {
        return TextProblem::TooLong;
    }
    return TextProblem::None;
}

TextProblem checkChatText(std::string_view text) {
    return text.find('\x07') != std::string_view::npos ? TextProblem::Terminator
                                                       : TextProblem::None;
}

}  // namespace trundlex::netproto
