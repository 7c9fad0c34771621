#include "model/ParPutts.h"

#include "ball/PuttSimulator.h"
#include "solver/PuttSolver.h"

namespace trundlex {

std::optional<std::vector<PuttPath>> findParPutts(const Level& level, int maxStrokes,
                                                  int threads, const std::atomic<bool>* stop) {
    const PuttSolver solver(level);
    SolverOptions options;
    options.maxStrokes = maxStrokes;
    options.threads = threads;
    options.stop = stop;
    const SolverResult result = solver.solve(options);
    if (stop && stop->load()) {
        return std::nullopt;
    }
    std::vector<PuttPath> paths;
    if (!result.holed) {
        return paths;
    }
    // Probing everywhere, as the animated ball does, so that the path is the one seen in play.
    const PuttSimulator simulator(level, PuttSimulator::Probing::Everywhere);
    for (const SolvedPutt& putt : result.putts) {
        PuttPath path;
        path.holed = putt.holed;
        path.points.push_back({putt.fromX, putt.fromY});
        simulator.putt(putt.fromX, putt.fromY, putt.speed, putt.heading, 0,
                       PuttSimulator::TickSubSteps, [&path](const BallMotion& motion) {
                           path.points.push_back({motion.x, motion.y});
                           return true;
                       });
        // The solver played the putt with the rest count of the roll before it, which can
        // end it a little sooner or later: the path ends where the solver's ball did.
        path.points.push_back({putt.toX, putt.toY});
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace trundlex
