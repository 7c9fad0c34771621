#include "play/GhostRound.h"

#include <algorithm>
#include <cmath>

#include "ball/PuttSimulator.h"
#include "level/Level.h"
#include "play/Match.h"
#include "play/Player.h"

namespace trundlex {

namespace {

// Far above any putt the force meter or a computer makes; a file claiming more was not
// written by a round.
constexpr double kMaxSpeed = 1000.0;

bool finite(double v) {
    return std::isfinite(v);
}

}  // namespace

GhostRound GhostRound::of(const Match& match, int index, std::int64_t time) {
    GhostRound round;
    const Player* player = match.GetPlayer(index);
    if (player == nullptr) {
        return round;
    }
    round.courseId = match.GetName();
    round.player = player->GetName();
    round.score = player->TotalStrokes();
    round.time = time;
    const int holes = match.LevelCount();
    round.holes.resize(static_cast<std::size_t>(holes));
    for (int h = 0; h < holes; ++h) {
        round.levelIds.push_back(match.GetLevelId(h));
    }
    for (int i = 0; i < player->PuttCount(); ++i) {
        const PuttRecord& putt = *player->GetPutt(i);
        if (putt.hole >= 0 && putt.hole < holes) {
            round.holes[static_cast<std::size_t>(putt.hole)].push_back(putt);
        }
    }
    for (auto& putts : round.holes) {
        std::stable_sort(putts.begin(), putts.end(), [](const PuttRecord& a, const PuttRecord& b) {
            return a.stroke < b.stroke;
        });
    }
    return round;
}

bool GhostRound::fits(const Match& match) const {
    if (static_cast<int>(levelIds.size()) != match.LevelCount() || match.GetName() != courseId) {
        return false;
    }
    for (int h = 0; h < match.LevelCount(); ++h) {
        if (match.GetLevelId(h) != levelIds[static_cast<std::size_t>(h)]) {
            return false;
        }
    }
    return true;
}

const std::vector<PuttRecord>& GhostRound::puttsOn(int hole) const {
    static const std::vector<PuttRecord> none;
    if (hole < 0 || hole >= static_cast<int>(holes.size())) {
        return none;
    }
    return holes[static_cast<std::size_t>(hole)];
}

bool GhostRound::plausible() const {
    if (holes.empty() || holes.size() != levelIds.size() || score < 0) {
        return false;
    }
    std::int64_t strokes = 0;
    for (std::size_t h = 0; h < holes.size(); ++h) {
        std::int32_t expected = 1;
        for (const PuttRecord& putt : holes[h]) {
            const bool sane = finite(putt.speed) && putt.speed > 0.0 && putt.speed <= kMaxSpeed &&
                              finite(putt.heading) && std::abs(putt.heading) <= 1000.0 &&
                              finite(putt.x) && finite(putt.y) &&
                              putt.hole == static_cast<std::int32_t>(h) && putt.stroke == expected;
            if (!sane) {
                return false;
            }
            ++expected;
            ++strokes;
        }
    }
    // A round's score counts its putts and any penalty strokes, never fewer than its putts.
    return strokes <= score;
}

std::vector<GhostShot> ghostShots(const Level& level, const std::vector<PuttRecord>& putts) {
    // Probes at every sub-step, as the game's own ball does, so each putt ends to the bit
    // where the recorded one ended.
    const PuttSimulator simulator(level, PuttSimulator::Probing::Everywhere);
    // The normal speed mode's sub-steps per tick, so that one frame is one tick of the game.
    constexpr std::int32_t tickSubSteps = SubStepsPerTimeUnit / 100;
    std::vector<GhostShot> shots;
    shots.reserve(putts.size());
    for (const PuttRecord& putt : putts) {
        GhostShot shot;
        shot.start = {putt.x, putt.y, BallDefaultRadius};
        const bool inside =
            putt.x >= 0.0 && putt.y >= 0.0 && putt.x < level.width() && putt.y < level.height();
        if (!inside) {
            // A record that does not belong on this level rolls nowhere.
            shot.frames.push_back(shot.start);
            shots.push_back(std::move(shot));
            continue;
        }
        int ticks = 0;
        const PuttOutcome end = simulator.putt(putt.x, putt.y, putt.speed, putt.heading, 0,
                                               tickSubSteps, [&](const BallMotion& m) {
                                                   shot.frames.push_back({m.x, m.y, m.radius});
                                                   return ++ticks < MaxGhostTicks;
                                               });
        shot.holed = end.holed;
        if (!end.holed) {
            // Where it rests, which after water is where it was putted from.
            shot.frames.push_back({end.x, end.y, BallDefaultRadius});
        }
        shots.push_back(std::move(shot));
    }
    return shots;
}

}  // namespace trundlex
