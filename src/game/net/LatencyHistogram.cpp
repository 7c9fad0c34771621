#include "net/LatencyHistogram.h"

#include <algorithm>

namespace trundlex {

void LatencyHistogram::record(std::chrono::nanoseconds elapsed) {
    const auto ns = static_cast<std::uint64_t>(std::max<std::int64_t>(0, elapsed.count()));
    const auto bucket = static_cast<std::size_t>(
        std::lower_bound(BoundsNs.begin(), BoundsNs.end(), ns) - BoundsNs.begin());
    buckets_[bucket].fetch_add(1, std::memory_order_relaxed);
    sumNs_.fetch_add(ns, std::memory_order_relaxed);
}

LatencyHistogram::Snapshot LatencyHistogram::snapshot() const {
    Snapshot snapshot;
    std::uint64_t running = 0;
    for (std::size_t i = 0; i < BucketCount; ++i) {
        // Each bucket is read once: the cumulative counts rise by what was read, so they
        // never fall and the last one is the count, however many records land meanwhile.
        running += buckets_[i].load(std::memory_order_relaxed);
        snapshot.cumulative[i] = running;
    }
    snapshot.count = running;
    snapshot.sumNs = sumNs_.load(std::memory_order_relaxed);
    return snapshot;
}

}  // namespace trundlex
