// The turns of players whom the computer plays: the putt is worked out on a thread of its
// own, shown as an aim for a moment, then played like a person's putt (recorded, replayable,
// sent to the other computers of a network game). And the holes' pars, which the same solver
// works out.

#include <QTimer>

#include "GameView.h"
#include "ScoreBoard.h"
#include "library/LevelLibrary.h"
#include "platform/PlatformSupport.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

// How long the computer's aim is shown before it putts, so that people can follow.
constexpr int kAimMilliseconds = 700;

}  // namespace

void GameView::startComputerTurn(const Player& player) {
    const Ball& ball = player.GetBall();
    // Each turn's error comes from the program's random sequence, drawn here on the GUI thread.
    const auto seed = static_cast<std::uint32_t>(context_.random.next()) << 15 ^
                      static_cast<std::uint32_t>(context_.random.next());
    emit status(tr("%1 is thinking...").arg(toDisplayText(player.GetName())));
    const std::uint64_t move = ++computerMove_;
    computer_.start(level(), ball.GetX(), ball.GetY(), player.GetComputer(), seed,
                    [this, move](ComputerPutt putt) {
                        if (move == computerMove_) {
                            showComputerAim(putt);
                        }
                    });
}

void GameView::showComputerAim(const ComputerPutt& putt) {
    if (viewState() != ComputerThinking || flow_.phase() != FlowPhase::Turn) {
        return;
    }
    aim_ = putt.heading;
    drawAim(false);
    const std::uint64_t move = computerMove_;
    QTimer::singleShot(kAimMilliseconds, this, [this, move, putt] {
        if (move == computerMove_ && viewState() == ComputerThinking) {
            emit status(holeStatus_);
            doPutt(putt.heading, putt.speed);
        }
    });
}

void GameView::fillScoreBoard() {
    scoreBoard_->fill(match_);
    if (!parWorker_) {
        return;
    }
    std::vector<Level> levels;
    {
        // The network may add levels to the library meanwhile.
        auto lock = net_->lock();
        for (int i = 0; i < match_.LevelCount(); ++i) {
            const int index = context_.levels.findById(match_.GetLevelId(i));
            levels.push_back(index >= 0 ? context_.levels.at(index) : Level());
        }
    }
    parWorker_->start(std::move(levels),
                      [this](int hole, int par) { scoreBoard_->setPar(hole, par); });
}

void GameView::cancelComputerTurn() {
    if (viewState() == ComputerThinking) {
        emit status(holeStatus_);
    }
    ++computerMove_;
    computer_.cancel();
}

}  // namespace trundlex
