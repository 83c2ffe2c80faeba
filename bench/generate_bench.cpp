// The generation run without a window, on the largest kind of work a person gives it: a range of
// 99 999 target viscosities into an empty record.
#include <benchmark/benchmark.h>

#include <optional>

#include "calc/generation.h"

namespace olvimar {
namespace {

// A 7.276, B 13.69 at 100 ℃, 4 litres, with or without shear losses.
BlendFields WorkedExample(const char* lossA = "", const char* lossB = "") {
    return BlendFields{0, "7.276", "13.69", "4", lossA, lossB};
}

void Generate(benchmark::State& state, const BlendFields& fields, const char* range = "0-9999.9",
              std::optional<Alpha> alpha = std::nullopt) {
    const TempTable temp = BlendConstants();
    std::int64_t values = 0;
    for (auto _ : state) {
        Value record;
        RunResult result = RunGeneration(range, fields, temp, record, alpha);
        if (!result.ok() || result.values < 99000) state.SkipWithError("the run failed");
        benchmark::DoNotOptimize(record);
        values += static_cast<std::int64_t>(result.values);
    }
    state.SetItemsProcessed(values);
}

void BM_GenerateRange(benchmark::State& state) {
    Generate(state, WorkedExample());
}

void BM_GenerateRangeShear(benchmark::State& state) {
    Generate(state, WorkedExample("10", "5"));
}

// Some 99 800 targets between the two oils, by the rule and calibrated by the worked example's
// measured blend: every split of the calibrated run is worked out, none is beyond the oils.
constexpr const char* kBetweenTheOils = "7.3-13.6,0.0000631";

void BM_GenerateBetweenTheOils(benchmark::State& state) {
    Generate(state, WorkedExample(), kBetweenTheOils);
}

void BM_GenerateBetweenTheOilsCalibrated(benchmark::State& state) {
    Generate(state, WorkedExample(), kBetweenTheOils, Alpha{1219, -3});
}

BENCHMARK(BM_GenerateRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateBetweenTheOils)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateBetweenTheOilsCalibrated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateRangeShear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace olvimar

BENCHMARK_MAIN();
