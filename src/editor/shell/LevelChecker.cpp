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

QString LevelChecker::cellText(Cell cell) {
    return tr("column %1, row %2").arg(cell.x).arg(cell.y);
}

QString LevelChecker::problemText(const LevelFinding& finding) {
    const Cell first = finding.cells.empty() ? Cell{} : finding.cells.front();
    switch (finding.problem) {
        case LevelProblem::NoCup:
            return tr("The level has no cup.");
        case LevelProblem::StartOutside:
            return tr("The ball starts outside the level.");
        case LevelProblem::StartInWall:
            return tr("The ball starts inside a wall (%1).").arg(cellText(first));
        case LevelProblem::StartInWater:
            return tr("The ball starts in water (%1).").arg(cellText(first));
        case LevelProblem::SeveralCups: {
            QString list;
            const auto count = static_cast<int>(finding.cells.size());
            for (int i = 0; i < count; ++i) {
                const QString cell = cellText(finding.cells[static_cast<std::size_t>(i)]);
                if (i == 0) {
                    list = cell;
                } else if (i + 1 < count) {
                    list = tr("%1, %2", "a list of cells").arg(list, cell);
                } else {
                    list = tr("%1 and %2", "the last of a list of cells").arg(list, cell);
                }
            }
            return count == 2 ? tr("Two cups: %1.").arg(list)
                              : tr("%n cups: %1.", nullptr, count).arg(list);
        }
    }
    return {};
}

QString LevelChecker::verdict(int par) {
    // The par is a careful player's median score, but a hole ends at the stroke limit: a par
    // at the limit means that player mostly failed and only perfect putts made it.
    if (par == ParStrokeLimit) {
        return tr("Par %1: a careful player mostly did not hole out within %1 strokes, the most "
                  "a hole allows, but perfect putts can; a par goes no higher, so the level is "
                  "harder than its par says.")
            .arg(par);
    }
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
        if (!par) {
            return;
        }
        deliver([this, par] {
            running_ = false;
            emit finished(*par);
        });
        if (*par == 0) {
            deliver([this] { emit puttsFound({}); });
            return;
        }
        auto putts = findParPutts(copy, *par, threads, &stop);
        if (putts) {
            deliver([this, putts = std::move(*putts)] { emit puttsFound(putts); });
        }
    });
}

void LevelChecker::cancel() {
    job_.cancel();
    running_ = false;
}

}  // namespace trundlex
