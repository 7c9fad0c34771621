#include "ParWorker.h"

#include "solver/Par.h"

namespace trundlex {

std::size_t ParWorker::start(std::vector<Level> levels, Found found) {
    job_.cancel();
    std::vector<std::size_t> unknown;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (const std::optional<int> par = cache_.lookup(levels[i])) {
            found(static_cast<int>(i), *par);
        } else {
            unknown.push_back(i);
        }
    }
    if (unknown.empty()) {
        return 0;
    }
    const std::size_t left = unknown.size();
    job_.start([this, levels = std::move(levels), unknown, found](
                   const std::atomic<bool>& stop, const BackgroundJob::Deliver& deliver) {
        for (const std::size_t i : unknown) {
            const std::optional<int> par = cache_.parOf(levels[i], 1, &stop);
            if (!par) {
                return;  // stopped
            }
            deliver([found, i, value = *par] { found(static_cast<int>(i), value); });
        }
    });
    return left;
}

}  // namespace trundlex
