#include "LevelChecker.h"

#include <algorithm>

#include "model/LevelCheck.h"
#include "solver/Par.h"

namespace trundlex {

LevelChecker::LevelChecker(QObject* parent) : QObject(parent) {}

LevelChecker::~LevelChecker() {
    relay_.close();
    cancel();
    for (auto& run : stopping_) {
        run->thread.join();
    }
}

QStringList LevelChecker::problems(const Level& level) {
    QStringList texts;
    for (LevelProblem problem : findLevelProblems(level)) {
        switch (problem) {
            case LevelProblem::NoCup:
                texts << tr("The level has no cup.");
                break;
            case LevelProblem::StartOutside:
                texts << tr("The ball starts outside the level.");
                break;
            case LevelProblem::StartInWall:
                texts << tr("The ball starts inside a wall.");
                break;
            case LevelProblem::StartInWater:
                texts << tr("The ball starts in water.");
                break;
        }
    }
    return texts;
}

QString LevelChecker::verdict(int par) {
    return par > 0 ? tr("Par %1.").arg(par)
                   : tr("The level cannot be holed in %1 strokes.").arg(ParStrokeLimit);
}

void LevelChecker::start(const Level& level) {
    cancel();
    current_ = std::make_unique<Run>();
    Run* run = current_.get();
    // One core is left to the window, so that it keeps answering while the par is worked out.
    const int threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    run->thread = std::thread([this, run, threads, copy = level] {
        const std::optional<int> par =
            computePar(copy, ParOptions{.threads = threads, .stop = &run->stop});
        relay_.post([this, run, par] { ended(run, par.value_or(-1)); });
    });
}

void LevelChecker::cancel() {
    if (current_) {
        current_->stop = true;
        stopping_.push_back(std::move(current_));
    }
}

void LevelChecker::ended(Run* run, int par) {
    run->thread.join();
    if (current_.get() == run) {
        current_.reset();
        if (par >= 0) {
            emit finished(par);
        }
        return;
    }
    std::erase_if(stopping_, [run](const auto& r) { return r.get() == run; });
}

}  // namespace trundlex
