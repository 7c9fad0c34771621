#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace trundlex {

// Durations counted into fixed buckets, as a Prometheus histogram shows them. Any thread may
// record while any other reads: a record is two relaxed atomic additions, no lock, so the
// I/O threads of many rooms can share one histogram without waiting for each other.
class LatencyHistogram {
public:
    // The buckets' upper bounds, in nanoseconds, ascending: from well under the relay time of
    // a quiet host to far past anything a player would put up with. The last bucket (+Inf)
    // follows them.
    static constexpr std::array<std::uint64_t, 14> BoundsNs = {
        25'000,    50'000,     100'000,    250'000,    500'000,     1'000'000,   2'500'000,
        5'000'000, 10'000'000, 25'000'000, 50'000'000, 100'000'000, 250'000'000, 1'000'000'000};
    static constexpr std::size_t BucketCount = BoundsNs.size() + 1;

    // Counts one duration (a negative one as zero).
    void record(std::chrono::nanoseconds elapsed);

    struct Snapshot {
        // cumulative[i]: the durations of at most BoundsNs[i]; the last entry (+Inf) is
        // every duration, and equals `count`.
        std::array<std::uint64_t, BucketCount> cumulative{};
        std::uint64_t count = 0;
        // The durations added up.
        std::uint64_t sumNs = 0;
    };
    // What has been recorded so far. Records under way meanwhile may be in the buckets and
    // not yet in the sum (or the other way round), but the buckets always agree with the count.
    Snapshot snapshot() const;

private:
    std::array<std::atomic<std::uint64_t>, BucketCount> buckets_{};
    std::atomic<std::uint64_t> sumNs_{0};
};

}  // namespace trundlex
