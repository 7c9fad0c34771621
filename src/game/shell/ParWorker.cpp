#include "ParWorker.h"

#include "solver/Par.h"

namespace trundlex {

ParWorker::~ParWorker() {
    relay_.close();
    cancel();
}

void ParWorker::start(std::vector<Level> levels, Found found) {
    cancel();
    std::vector<std::size_t> unknown;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (const std::optional<int> par = cache_.lookup(levels[i])) {
            found(static_cast<int>(i), *par);
        } else {
            unknown.push_back(i);
        }
    }
    if (unknown.empty()) {
        return;
    }
    stop_.store(false);
    const std::uint64_t generation = ++generation_;
    thread_ = std::thread([this, levels = std::move(levels), unknown, generation, found] {
        for (const std::size_t i : unknown) {
            const std::optional<int> par = cache_.parOf(levels[i], 1, &stop_);
            if (!par) {
                return;  // stopped
            }
            relay_.post([this, generation, found, i, value = *par] {
                if (generation == generation_) {
                    found(static_cast<int>(i), value);
                }
            });
        }
    });
}

void ParWorker::cancel() {
    ++generation_;
    stop_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace trundlex
