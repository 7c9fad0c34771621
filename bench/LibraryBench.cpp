// Reading the per-user files at start: the high-score file by its number of courses, which
// must grow linearly (a search through the courses per entry made 60,000 courses take
// seconds). Run: build/bin/library_bench
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "level/Archive.h"
#include "library/HighScoreStore.h"

namespace trundlex {
namespace {

void loadHighScores(benchmark::State& state) {
    const auto courses = static_cast<std::int32_t>(state.range(0));
    std::ostringstream bytes;
    ArchiveWriter archive(bytes);
    archive.writeString(HighScoreStore::Magic);
    archive.writeInt32(courses);
    for (std::int32_t c = 0; c < courses; ++c) {
        archive.writeString("course " + std::to_string(c));
        archive.writeInt32(1);
        archive.writeString("player");
        archive.writeInt32(c % 90);
        archive.writeInt32(c);
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("trundlex-bench-" + std::to_string(::getpid()) + ".dat"))
                                 .string();
    std::ofstream(path, std::ios::binary) << bytes.str();
    for (auto _ : state) {
        HighScoreStore store;
        benchmark::DoNotOptimize(store.load(path));
    }
    state.SetComplexityN(state.range(0));
    std::filesystem::remove(path);
}
BENCHMARK(loadHighScores)
    ->RangeMultiplier(4)
    ->Range(1000, 64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
