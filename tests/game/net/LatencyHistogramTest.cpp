// The relay-time histogram: each duration in the first bucket that holds it, counts read
// whole while other threads record.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "net/LatencyHistogram.h"

namespace trundlex {
namespace {

using namespace std::chrono_literals;

TEST(LatencyHistogramTest, EachDurationCountsInTheFirstBucketWhoseBoundHoldsIt) {
    LatencyHistogram histogram;
    EXPECT_EQ(histogram.snapshot().count, 0u);
    EXPECT_EQ(histogram.snapshot().cumulative.back(), 0u);

    const std::uint64_t first = LatencyHistogram::BoundsNs[0];
    histogram.record(std::chrono::nanoseconds(first));      // on the bound: still the first
    histogram.record(std::chrono::nanoseconds(first + 1));  // just past it: the second
    histogram.record(-5ns);                                 // a clock step back: zero
    histogram.record(10s);                                  // past every bound: +Inf only
    const LatencyHistogram::Snapshot s = histogram.snapshot();

    EXPECT_EQ(s.count, 4u);
    EXPECT_EQ(s.cumulative[0], 2u);
    EXPECT_EQ(s.cumulative[1], 3u);
    EXPECT_EQ(s.cumulative[LatencyHistogram::BoundsNs.size() - 1], 3u);
    EXPECT_EQ(s.cumulative[LatencyHistogram::BucketCount - 1], 4u);
    EXPECT_EQ(s.sumNs, first + (first + 1) + 10'000'000'000u);
    for (std::size_t i = 1; i < LatencyHistogram::BoundsNs.size(); ++i) {
        EXPECT_LT(LatencyHistogram::BoundsNs[i - 1], LatencyHistogram::BoundsNs[i]);
    }
}

TEST(LatencyHistogramTest, ReadsWhileOtherThreadsRecordSeeCumulativeCountsThatAddUp) {
    // As a room host's I/O threads time their relays while /metrics is read.
    LatencyHistogram histogram;
    constexpr int kThreads = 4;
    constexpr int kEach = 100000;
    std::atomic<bool> recording{true};
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&histogram, t] {
            for (int i = 0; i < kEach; ++i) {
                // Spread over every bucket: 0 ns to a little over 2 s.
                histogram.record(
                    std::chrono::nanoseconds((std::uint64_t{1} << ((i + t) % 32)) - 1));
            }
        });
    }
    std::thread reader([&] {
        do {
            const LatencyHistogram::Snapshot s = histogram.snapshot();
            for (std::size_t i = 1; i < s.cumulative.size(); ++i) {
                ASSERT_LE(s.cumulative[i - 1], s.cumulative[i]);
            }
            ASSERT_EQ(s.cumulative.back(), s.count);
        } while (recording);
    });
    for (std::thread& writer : writers) {
        writer.join();
    }
    recording = false;
    reader.join();

    std::uint64_t sum = 0;
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kEach; ++i) {
            sum += (std::uint64_t{1} << ((i + t) % 32)) - 1;
        }
    }
    const LatencyHistogram::Snapshot s = histogram.snapshot();
    EXPECT_EQ(s.count, std::uint64_t{kThreads} * kEach) << "no record lost";
    EXPECT_EQ(s.sumNs, sum);
}

}  // namespace
}  // namespace trundlex
