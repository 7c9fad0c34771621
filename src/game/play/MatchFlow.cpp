#include "play/MatchFlow.h"

#include "library/LevelLibrary.h"
#include "play/Match.h"

namespace trundlex {

MatchFlow::MatchFlow(Match& match, const LevelLibrary& library, Level& level)
    : match_(match), library_(library), level_(level) {}

FlowStep MatchFlow::restart(bool handOutTurn) {
    match_.Restart();
    current_ = nullptr;
    phase_ = FlowPhase::Idle;
    FlowStep step;
    if (!enterNextHole(step)) {
        return step;
    }
    if (!handOutTurn) {
        phase_ = FlowPhase::HoleReady;
        step.outcome = FlowOutcome::HoleReady;
        return step;
    }
    return handOut(step);
}

FlowStep MatchFlow::advance() {
    FlowStep step;
    switch (phase_) {
        case FlowPhase::Idle:
            if (!enterNextHole(step)) {
                return step;
            }
            return handOut(step);
        case FlowPhase::HoleReady:
        case FlowPhase::Stopped:
            return handOut(step);
        case FlowPhase::Turn:
        case FlowPhase::Rolling:
        case FlowPhase::Over:
        case FlowPhase::Broken:
            break;
    }
    return step;
}

FlowStep MatchFlow::resume() {
    FlowStep step;
    if (phase_ == FlowPhase::Turn && current_ != nullptr) {
        step.outcome = FlowOutcome::Turn;
        step.player = current_;
    }
    return step;
}

void MatchFlow::reset() {
    phase_ = FlowPhase::Idle;
    current_ = nullptr;
}

bool MatchFlow::startPutt(double speed, double heading) {
    if (phase_ != FlowPhase::Turn || !match_.RecordCurrentPutt(speed, heading)) {
        return false;
    }
    phase_ = FlowPhase::Rolling;
    return true;
}

bool MatchFlow::ballStopped(bool inCup) {
    if (phase_ != FlowPhase::Rolling) {
        return false;
    }
    match_.CurrentBallStopped(inCup);
    phase_ = FlowPhase::Stopped;
    return true;
}

bool MatchFlow::enterNextHole(FlowStep& step) {
    current_ = nullptr;
    if (!match_.NextHole()) {
        phase_ = FlowPhase::Over;
        step.outcome = FlowOutcome::Over;
        return false;
    }
    if (match_.LoadCurrentLevel(library_, level_) != LevelLoadResult::Loaded) {
        phase_ = FlowPhase::Broken;
        step.outcome = FlowOutcome::MissingLevel;
        return false;
    }
    match_.SetLevelForAllBalls(level_);
    step.holeStarted = true;
    return true;
}

FlowStep MatchFlow::handOut(FlowStep step) {
    // Each pass either hands out a turn or uses up a hole, so this ends after the last hole.
    for (;;) {
        if (Player* player = match_.NextPlayer()) {
            current_ = player;
            phase_ = FlowPhase::Turn;
            step.outcome = FlowOutcome::Turn;
            step.player = player;
            return step;
        }
        if (!enterNextHole(step)) {
            return step;
        }
    }
}

}  // namespace trundlex
