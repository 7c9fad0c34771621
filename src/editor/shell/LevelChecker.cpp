#include "LevelChecker.h"

#include <algorithm>

#include "solver/Par.h"
#include "util/Threads.h"

namespace trundlex {

LevelChecker::LevelChecker(QObject* parent) : QObject(parent) {}

LevelChecker::~LevelChecker() {
    relay_.close();
    job_.cancel();
}

QStringList LevelChecker::problems(const Level& level) {
    QStringList texts;
    for (LevelProblem problem : findLevelProblems(level)) {
        texts << problemText(problem);
    }
    return texts;
}

QString LevelChecker::problemText(LevelProblem problem) {
    switch (problem) {
        case LevelProblem::NoCup:
            return tr("The level has no cup.");
        case LevelProblem::StartOutside:
            return tr("The ball starts outside the level.");
        case LevelProblem::StartInWall:
            return tr("The ball starts inside a wall.");
        case LevelProblem::StartInWater:
            return tr("The ball starts in water.");
    }
    return {};
}

QString LevelChecker::verdict(int par) {
    return par > 0 ? tr("Par %1.").arg(par)
                   : tr("The level cannot be holed in %1 strokes.").arg(ParStrokeLimit);
}

void LevelChecker::start(const Level& level) {
    running_ = true;
    // One core is left to the window, so that it keeps answering while the par is worked out.
    const int threads = std::max(1, threadsFor(0) - 1);
    job_.start([this, threads, copy = level](const std::atomic<bool>& stop,
                                             const BackgroundJob::Deliver& deliver) {
        const std::optional<int> par =
            computePar(copy, ParOptions{.threads = threads, .stop = &stop});
        if (par) {
            deliver([this, par] {
                running_ = false;
                emit finished(*par);
            });
        }
    });
}

void LevelChecker::cancel() {
    job_.cancel();
    running_ = false;
}

}  // namespace trundlex
