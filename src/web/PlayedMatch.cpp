#include "PlayedMatch.h"

#include <sstream>

#include "MatchRig.h"
#include "PageJson.h"
#include "solver/ShippedPars.h"
#include "util/TextNumbers.h"

namespace trundlex::web {

void MatchRig::makeController(NetCarrier* carrier) {
    controller = std::make_unique<GameController>(
        context, level, GameController::Platform{loop, loop, loop, {}, carrier}, recorder);
    recorder.attach(*controller);
}

bool MatchRig::takePars(std::string_view table) {
    ShippedPars shipped;
    if (!shipped.parse(table)) {
        return false;
    }
    // In memory only: a page has no file to keep pars it worked out.
    pars = std::make_unique<ParCache>("", std::move(shipped));
    context.pars = pars.get();
    return true;
}

bool MatchRig::run(int steps, std::int64_t until) {
    // Natively the computer thinks on a thread of its own; its putt is waited for, so that
    // time moves on exactly as in a build that thinks on the calling thread. (Once the putt
    // is there, the computer shows its aim for a while, on a timer, before it putts.)
    const auto thinking = [this] {
        return controller->state() == ComputerThinking && loop.pendingTimers() == 0;
    };
    for (int i = 0; i < steps && !recorder.ended(); ++i) {
        if (loop.step(thinking, until) == MatchLoop::Step::Idle) {
            return false;
        }
    }
    return true;
}

PlayedMatch::PlayedMatch(std::uint32_t seed) : rig_(std::make_unique<MatchRig>(seed)) {}

PlayedMatch::~PlayedMatch() {
    rig_->controller.reset();
}

bool PlayedMatch::runUntil(std::int64_t until) {
    // Enough for any frame's worth of work; a game that posts tasks without end must not
    // hang the page. Going idle here only means waiting for the page's clock or a person.
    constexpr int kMaxStepsPerCall = 100000;
    settle();
    if (!rig_->hasController()) {
        return false;
    }
    rig_->run(kMaxStepsPerCall, until);
    settle();
    return !isOver();
}

bool PlayedMatch::isOver() const {
    return rig_->hasController() && rig_->recorder.ended();
}

int PlayedMatch::state() const {
    return rig_->hasController() ? static_cast<int>(rig_->controller->state()) : NoGame;
}

void PlayedMatch::aimAt(double heading) {
    if (rig_->hasController()) {
        rig_->controller->aimAt(heading);
        settle();
    }
}

void PlayedMatch::beginCharge() {
    if (rig_->hasController()) {
        rig_->controller->beginCharge();
        settle();
    }
}

void PlayedMatch::releaseCharge() {
    if (rig_->hasController()) {
        rig_->controller->releaseCharge();
        settle();
    }
}

void PlayedMatch::cancelCharge() {
    if (rig_->hasController()) {
        rig_->controller->cancelCharge();
        settle();
    }
}

bool PlayedMatch::puttWithForce(double heading, double force) {
    const bool putt = rig_->hasController() && rig_->controller->puttWithForce(heading, force);
    settle();
    return putt;
}

void PlayedMatch::hurry() {
    if (rig_->hasController() && rig_->controller->state() == Rolling && rig_->recorder.hurry()) {
        rig_->controller->hurry();
    }
}

std::string PlayedMatch::levelJson() const {
    return web::levelJson(rig_->level);
}

std::string PlayedMatch::boardJson() const {
    const MatchRig& g = *rig_;
    const Match& match = g.match();
    const std::vector<int> noPars;
    const std::vector<int>& pars = g.hasController() ? g.controller->pars() : noPars;
    std::string out = "{\"hole\":" + std::to_string(g.hasController() ? match.GetHole() : -1) +
                      ",\"holes\":[";
    for (std::int32_t hole = 0; hole < match.LevelCount(); ++hole) {
        const int index = g.levels.findById(match.GetLevelId(hole));
        const int par = hole < static_cast<int>(pars.size()) ? pars[hole] : 0;
        out += std::string(hole == 0 ? "" : ",") + "{\"name\":" +
               jsonString(index >= 0 ? g.levels.at(index).name() : std::string()) +
               ",\"par\":" + std::to_string(par) + "}";
    }
    out += "],\"players\":[";
    int turn = -1;
    const Player* current = g.hasController() ? g.controller->currentPlayer() : nullptr;
    for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
        const Player& player = *match.GetPlayer(p);
        if (&player == current) {
            turn = p;
        }
        // Another computer's computer player is shown as one too: only its putts come from there.
        const char* kind = player.IsComputer() || player.IsPeerComputer() ? "computer"
                           : player.IsLocalPlayer()                        ? "here"
                                                                           : "remote";
        out += std::string(p == 0 ? "" : ",") + "{\"name\":" + jsonString(player.GetName()) +
               ",\"colour\":" + std::to_string(player.GetStyle().colour) +
               ",\"pattern\":" + std::to_string(player.GetStyle().pattern) + ",\"kind\":\"" +
               kind + "\",\"strokes\":[";
        for (std::int32_t hole = 0; hole < match.LevelCount(); ++hole) {
            out += (hole == 0 ? "" : ",") + std::to_string(player.StrokesOn(hole));
        }
        out += "],\"total\":" + std::to_string(player.TotalStrokes()) + ",\"ball\":";
        if (g.hasController() && player.IsOnHole()) {
            const Ball& ball = player.GetBall();
            out += "[" + formatExact(ball.GetX()) + "," + formatExact(ball.GetY()) + "," +
                   formatExact(ball.GetRadius()) + "]}";
        } else {
            out += "null}";
        }
    }
    out += "],\"turn\":" + std::to_string(turn) + "}";
    return out;
}

std::vector<std::string> PlayedMatch::takeEvents() {
    return rig_->recorder.takeEvents();
}

std::string PlayedMatch::result() const {
    const MatchRig& g = *rig_;
    const Match& match = g.match();
    std::ostringstream out;
    for (std::int32_t hole = 0; hole < match.LevelCount(); ++hole) {
        const int index = g.levels.findById(match.GetLevelId(hole));
        out << "hole " << hole + 1 << " " << (index >= 0 ? g.levels.at(index).name() : "?") << ":";
        for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
            const Player& player = *match.GetPlayer(p);
            out << (p == 0 ? " " : ", ") << player.GetName() << " " << player.StrokesOn(hole);
        }
        out << "\n";
    }
    out << "total:";
    for (std::int32_t p = 0; p < match.PlayerCount(); ++p) {
        const Player& player = *match.GetPlayer(p);
        out << (p == 0 ? " " : ", ") << player.GetName() << " " << player.TotalStrokes();
    }
    out << "\nwinners: " << g.recorder.winners() << "\n";
    return out.str();
}

std::int64_t PlayedMatch::time() const {
    return rig_->loop.now();
}

}  // namespace trundlex::web
