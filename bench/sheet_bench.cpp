// The data sheet at the handle's mix, and the chart of its lines: what a key in any box or a move
// of the handle works out again beside the blend chart.
#include <benchmark/benchmark.h>

#include "calc/blend.h"
#include "chart/sheet.h"
#include "chart/temperature_chart.h"

namespace olvimar {
namespace {

sheet::Input Example() {
    sheet::Input in;
    in.fields.s = 0;
    in.fields.viscA = "7.276";
    in.fields.viscB = "13.69";
    in.boxes = {"40", "90", "", "", "-5"};
    in.hundredths = 4819;
    return in;
}

// Every figure of the table: the blend at both temperatures, three indexes, three lines and
// their values at T.
void BM_DataSheet(benchmark::State& state) {
    const sheet::Input in = Example();
    const TempTable temp = BlendConstants();
    for (auto _ : state) benchmark::DoNotOptimize(sheet::TableOf(sheet::Work(in, temp)));
}

void BM_TemperatureChart(benchmark::State& state) {
    const sheet::Figures f = sheet::Work(Example(), BlendConstants());
    for (auto _ : state) benchmark::DoNotOptimize(chart::DrawTemperatures(f, {480, 300, 16}));
}

BENCHMARK(BM_DataSheet)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TemperatureChart)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace olvimar
