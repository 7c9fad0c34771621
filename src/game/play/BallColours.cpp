#include "play/BallColours.h"

#include <algorithm>

#include "play/Match.h"

namespace trundlex {

std::uint32_t freeBallColour(const Match& match, std::uint32_t wanted) {
    const auto taken = [&match](std::uint32_t colour) {
        for (std::int32_t i = 0; i < match.PlayerCount(); ++i) {
            if (match.GetPlayer(i)->GetStyle().colour == colour) {
                return true;
            }
        }
        return false;
    };
    if (!taken(wanted)) {
        return wanted;
    }
    const auto free = std::ranges::find_if_not(ReadyMadeBallColours, taken);
    return free != ReadyMadeBallColours.end() ? *free : wanted;
}

}  // namespace trundlex
