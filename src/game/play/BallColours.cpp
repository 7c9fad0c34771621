#include "play/BallColours.h"

#include "play/Match.h"

namespace trundlex {

namespace {

bool taken(const Match& match, std::uint32_t colour) {
    for (std::int32_t i = 0; i < match.PlayerCount(); ++i) {
        if (match.GetPlayer(i)->GetStyle().colour == colour) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::uint32_t> firstFreeBallColour(const Match& match) {
    for (const std::uint32_t colour : ReadyMadeBallColours) {
        if (!taken(match, colour)) {
            return colour;
        }
    }
    return std::nullopt;
}

std::uint32_t freeBallColour(const Match& match, std::uint32_t wanted) {
    return taken(match, wanted) ? firstFreeBallColour(match).value_or(wanted) : wanted;
}

}  // namespace trundlex
