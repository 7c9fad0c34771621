#include "net/TurnGate.h"

#include <algorithm>

namespace trundlex {

TurnGate::Verdict TurnGate::check(std::int32_t sender, std::string_view body) {
    if (!enforced_) {
        return Verdict::Accept;
    }
    if (known_) {
        return sender == owner_ ? Verdict::Accept : Verdict::Refused;
    }
    const auto held = std::find_if(held_.begin(), held_.end(),
                                   [&](const auto& h) { return h.first == sender; });
    if (held == held_.end()) {
        held_.emplace_back(sender, std::string(body));
    } else {
        held->second = std::string(body);
    }
    return Verdict::Held;
}

void TurnGate::inDoubt() {
    known_ = false;
    held_.clear();
}

TurnGate::Released TurnGate::setOwner(std::int32_t owner) {
    enforced_ = true;
    known_ = true;
    owner_ = owner;
    Released released;
    for (auto& [sender, body] : held_) {
        if (sender == owner && !released.accepted) {
            released.accepted.emplace(sender, std::move(body));
        } else {
            released.refused.push_back(sender);
        }
    }
    held_.clear();
    return released;
}

void TurnGate::newGame() {
    known_ = false;
    owner_ = NoTurn;
    held_.clear();
}

}  // namespace trundlex
