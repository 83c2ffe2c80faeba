// The recipe's exact solve beside the two-oil split of the record, and a whole recipe with its
// map: what a key in a box of the recipe works out again.
#include <benchmark/benchmark.h>

#include "calc/blend.h"
#include "calc/mixture.h"
#include "recipe/recipe.h"
#include "recipe/recipe_map.h"

namespace olvimar {
namespace {

// The two-oil split of one target, as Generate works it out for each value.
void BM_TwoOilSplit(benchmark::State& state) {
    const BlendFields fields{0, "7.276", "13.69", "4", "", ""};
    const TempTable temp = BlendConstants();
    for (auto _ : state) benchmark::DoNotOptimize(Blender(fields, temp).split(Value::Double(10)));
}

// Three oils for two targets, exactly: their W at both temperatures, the shares by Cramer's rule
// and their running sums rounded.
void BM_RecipeSolve(benchmark::State& state) {
    for (auto _ : state) {
        const Condition at100{{WOfSum(1.8 + 7.276), WOfSum(1.8 + 13.69), WOfSum(1.8 + 14.5)},
                              WOfSum(1.8 + 10)};
        const Condition at40{{WOfSum(4.1 + 40), WOfSum(4.1 + 90), WOfSum(4.1 + 150)},
                             WOfSum(4.1 + 62)};
        const auto shares = SolveShares({at100, at40}, Fixed(1.0));
        benchmark::DoNotOptimize(RoundedShares(*shares, 10000));
    }
}

// The worked example's whole recipe: the table, the blend's data and grades, and the map.
void BM_Recipe(benchmark::State& state) {
    recipe::Boxes b;
    const std::pair<recipe::Box, const char*> typed[] = {
        {recipe::kA40, "40"},  {recipe::kA100, "7.276"}, {recipe::kADensity, "840"},
        {recipe::kB40, "90"},  {recipe::kB100, "13.69"}, {recipe::kBDensity, "850"},
        {recipe::kC40, "150"}, {recipe::kC100, "14.5"},  {recipe::kCDensity, "870"},
        {recipe::kT100, "10"}, {recipe::kT40, "62"},     {recipe::kTotal, "4"}};
    for (const auto& [box, text] : typed) b.texts[box] = text;
    for (auto _ : state) {
        const recipe::Outcome out = recipe::Work(b, {}, false);
        benchmark::DoNotOptimize(recipe::DrawMap(out.map, {600, 450, 16}));
    }
}

BENCHMARK(BM_TwoOilSplit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecipeSolve)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Recipe)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace olvimar
