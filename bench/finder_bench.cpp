// How long the size finder takes to refill its table, which it does at every
// key stroke in the limit field: a usual feeder, and the slowest case, where
// no size fits and every size and number of runs is tried.
#include <benchmark/benchmark.h>

#include "panel_feeder.h"
#include "workbench/size_table.h"

namespace {

using quillet::PanelFeeder;

void UsualFeeder(benchmark::State& run) {
  const quillet::FeederInputs f = PanelFeeder();
  for (auto _ : run) benchmark::DoNotOptimize(quillet::BuildSizeTable(f));
}
BENCHMARK(UsualFeeder)->Unit(benchmark::kMicrosecond);

void NoSizeFits(benchmark::State& run) {
  quillet::FeederInputs f = PanelFeeder();
  f.loadText = "2000";
  f.maxVdPercent = 0.1;
  for (auto _ : run) benchmark::DoNotOptimize(quillet::BuildSizeTable(f));
}
BENCHMARK(NoSizeFits)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
