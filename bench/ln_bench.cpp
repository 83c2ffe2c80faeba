// The correctly rounded logarithm beside the C library's, on the arguments a blend run gives it:
// c + viscosity (from 2 to some 1000) and quotients of two such logarithms (near 1); and the
// exact viscosity of a mix, which rests on the logarithm's exact phase.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "calc/blend_viscosity.h"
#include "numeric/ln.h"

namespace olvimar {
namespace {

std::vector<double> Arguments() {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> viscosity(2, 1000), quotient(0.5, 2);
    std::vector<double> xs(4096);
    for (std::size_t i = 0; i < xs.size(); ++i)
        xs[i] = i % 2 ? viscosity(random) : quotient(random);
    return xs;
}

template <double (*F)(double)>
void Log(benchmark::State& state) {
    const std::vector<double> xs = Arguments();
    for (auto _ : state)
        for (const double x : xs) benchmark::DoNotOptimize(F(x));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(xs.size()));
}

double CLibraryLog(double x) {
    return std::log(x);
}

// The exact viscosity of a mix, as the chart's handle reads it out.
void BM_BlendThousandths(benchmark::State& state) {
    int hundredths = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BlendThousandths({1.8, 1.8 + 7.276, 1.8 + 13.69}, 1 + hundredths));
        hundredths = (hundredths + 37) % 9999;
    }
}

BENCHMARK(BM_BlendThousandths)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Log, Ln)->Name("BM_Ln");
BENCHMARK_TEMPLATE(Log, CLibraryLog)->Name("BM_StdLog");

}  // namespace
}  // namespace olvimar
