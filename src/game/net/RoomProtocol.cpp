#include "net/RoomProtocol.h"

#include <algorithm>

#include "net/NetProtocol.h"

namespace trundlex::roomproto {

namespace {

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

// A course name that can travel as one field of a list.
bool carriable(std::string_view name) {
    return !name.empty() && name.size() <= MaxCourseNameBytes &&
           std::none_of(name.begin(), name.end(), [](char c) { return c == '|' || isControl(c); });
}

std::string oneField(std::string_view text) {
    std::string field;
    for (const char c : text.substr(0, MaxCourseNameBytes)) {
        if (c != '|' && !isControl(c)) {
            field += c;
        }
    }
    return field;
}

// Splits "a|b|c|" into its fields; false when the text does not end with "|".
bool fields(std::string_view text, std::vector<std::string>& out) {
    while (!text.empty()) {
        const std::size_t bar = text.find('|');
        if (bar == std::string_view::npos) {
            return false;
        }
        out.emplace_back(text.substr(0, bar));
        text.remove_prefix(bar + 1);
    }
    return true;
}

}  // namespace

bool isCode(std::string_view text) {
    return text.size() == CodeLength && std::all_of(text.begin(), text.end(), [](char c) {
               return CodeAlphabet.find(c) != std::string_view::npos;
           });
}

bool isToken(std::string_view text) {
    return text.size() == TokenLength && std::all_of(text.begin(), text.end(), [](char c) {
               return CodeAlphabet.find(c) != std::string_view::npos;
           });
}

std::string normaliseCode(std::string_view typed) {
    std::string code;
    for (const char c : typed) {
        if (c != ' ' && c != '\t' && c != '-') {
            code += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    return isCode(code) ? code : std::string();
}

Request Request::parse(std::string_view body) {
    Request request;
    if (body == "?") {
        request.kind = Kind::List;
    } else if (!body.empty() && body.front() == '|') {
        const std::string_view course = body.substr(1);
        if (course.size() <= MaxCourseNameBytes &&
            std::none_of(course.begin(), course.end(), isControl)) {
            request.kind = Kind::Create;
            request.course = std::string(course);
        }
    } else if (body.size() == CodeLength + 1 && body.back() == '|' &&
               isCode(body.substr(0, CodeLength))) {
        request.kind = Kind::Join;
        request.code = std::string(body.substr(0, CodeLength));
    } else if (body.size() == CodeLength + 1 + TokenLength && body[CodeLength] == '|' &&
               isCode(body.substr(0, CodeLength)) && isToken(body.substr(CodeLength + 1))) {
        request.kind = Kind::Rejoin;
        request.code = std::string(body.substr(0, CodeLength));
        request.token = std::string(body.substr(CodeLength + 1));
    }
    return request;
}

std::string refusalText(Refusal refusal, std::string_view subject) {
    const std::string s = oneField(subject);
    switch (refusal) {
        case Refusal::NoSuchRoom:
            return "No room with code " + s + ".";
        case Refusal::Started:
            return "The game in room " + s + " has started.";
        case Refusal::Full:
            return "Room " + s + " is full.";
        case Refusal::NoSuchCourse:
            return "No course named " + s + ".";
        case Refusal::NoFreeRoom:
            return "This host has no free room.";
        case Refusal::CodeNeeded:
            return "This host needs a room code.";
        case Refusal::TooManyAttempts:
            return "Too many attempts; try again later.";
        case Refusal::TooManyRooms:
            return "Too many rooms from your address; try again later.";
        case Refusal::TooManyConnections:
            return "Too many connections from your address.";
        case Refusal::Removed:
            return "The room's creator removed you from the room.";
        case Refusal::NoSeat:
            return "Your place in room " + s + " is no longer kept.";
    }
    return {};
}

std::string encodeList(const std::vector<std::string>& courses) {
    std::string body = "?";
    for (const std::string& course : courses) {
        if (carriable(course)) {
            body += course + "|";
        }
    }
    return body;
}

std::string encodeRoom(std::string_view code, std::string_view course) {
    return std::string(code) + "|" + oneField(course) + "|";
}

std::string encodeRefusal(Refusal refusal, std::string_view subject) {
    return "|" + refusalText(refusal, subject);
}

std::string encodeRejoin(std::string_view code, std::string_view token) {
    return std::string(code) + "|" + std::string(token);
}

std::string encodeCatchUp(const std::vector<std::string>& putts) {
    std::string body(1, CatchUp);
    for (const std::string& putt : putts) {
        body += putt + ";";
    }
    return body;
}

bool parseCatchUp(std::string_view body, std::vector<std::pair<double, double>>& putts) {
    putts.clear();
    if (body.empty() || body.front() != CatchUp) {
        return false;
    }
    body.remove_prefix(1);
    while (!body.empty()) {
        const std::size_t end = body.find(';');
        double force = 0.0;
        double angle = 0.0;
        if (end == std::string_view::npos || putts.size() >= MaxCatchUpPutts ||
            !netproto::isPuttBody(body.substr(0, end)) ||
            !netproto::decodePutt(body.substr(0, end), force, angle)) {
            putts.clear();
            return false;
        }
        putts.emplace_back(force, angle);
        body.remove_prefix(end + 1);
    }
    return true;
}

Answer Answer::parse(std::string_view body) {
    Answer answer;
    if (!body.empty() && body.front() == '?') {
        if (fields(body.substr(1), answer.courses)) {
            answer.kind = Kind::List;
        } else {
            answer.courses.clear();
        }
    } else if (!body.empty() && body.front() == '|') {
        answer.kind = Kind::Refused;
        answer.reason = std::string(body.substr(1));
    } else {
        std::vector<std::string> parts;
        if (fields(body, parts) && parts.size() == 2 && isCode(parts[0])) {
            answer.kind = Kind::Room;
            answer.code = parts[0];
            answer.course = parts[1];
        }
    }
    return answer;
}

std::optional<std::size_t> findCourse(const std::vector<OfferedCourse>& offered,
                                      std::string_view wanted,
                                      std::optional<std::size_t> defaultCourse) {
    if (wanted.empty()) {
        return defaultCourse;
    }
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (offered[i].name == wanted) {
            return i;
        }
    }
    for (std::size_t i = 0; i < offered.size(); ++i) {
        const std::string& file = offered[i].fileName;
        const bool withSuffix = file.size() > 4 && file.ends_with(".cou");
        if (file == wanted ||
            (withSuffix && std::string_view(file).substr(0, file.size() - 4) == wanted)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace trundlex::roomproto
