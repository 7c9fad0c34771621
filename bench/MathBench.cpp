// Time per call of the portable sine, cosine and arc tangent against the C library's, on
// arguments like the ball's: headings and ray angles within a few turns of zero.
// Run: build/bin/math_bench
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "util/PortableMath.h"

namespace trundlex {
namespace {

constexpr std::size_t kCount = 4096;

const std::vector<double>& angles() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(1);
        std::uniform_real_distribution<double> range(-8.0, 8.0);
        std::vector<double> v(kCount);
        for (double& a : v) {
            a = range(random);
        }
        return v;
    }();
    return values;
}

template <double (*F)(double)>
void oneArgument(benchmark::State& state) {
    const std::vector<double>& xs = angles();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(xs[i]));
        i = (i + 1) & (kCount - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

template <double (*F)(double, double)>
void twoArguments(benchmark::State& state) {
    const std::vector<double>& xs = angles();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(xs[i], xs[(i + 7) & (kCount - 1)]));
        i = (i + 1) & (kCount - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

double librarySin(double x) {
    return std::sin(x);
}
double libraryCos(double x) {
    return std::cos(x);
}
double libraryAtan2(double y, double x) {
    return std::atan2(y, x);
}
double portableSinPlusCos(double x) {
    const pmath::SinCos both = pmath::sincos(x);
    return both.sin + both.cos;
}
double librarySinPlusCos(double x) {
    return std::sin(x) + std::cos(x);
}

BENCHMARK(oneArgument<librarySin>)->Name("sin/library");
BENCHMARK(oneArgument<pmath::sin>)->Name("sin/portable");
BENCHMARK(oneArgument<libraryCos>)->Name("cos/library");
BENCHMARK(oneArgument<pmath::cos>)->Name("cos/portable");
BENCHMARK(oneArgument<librarySinPlusCos>)->Name("sin_and_cos/library");
BENCHMARK(oneArgument<portableSinPlusCos>)->Name("sin_and_cos/portable_sincos");
BENCHMARK(twoArguments<libraryAtan2>)->Name("atan2/library");
BENCHMARK(twoArguments<pmath::atan2>)->Name("atan2/portable");

}  // namespace
}  // namespace trundlex

BENCHMARK_MAIN();
