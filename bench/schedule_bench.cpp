// Feeders per second through the engine on one core: with the size given,
// with the size finder, and whole schedules read, evaluated and written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "panel_feeder.h"
#include "schedule/feeder_engine.h"
#include "schedule/schedule.h"
#include "workbench/schedule_model.h"

namespace {

using quillet::PanelFeeder;

void GivenSize(benchmark::State& run) {
  quillet::FeederInputs f = PanelFeeder();
  f.areaIndex = 12;  // 4/0 AWG
  for (auto _ : run) benchmark::DoNotOptimize(quillet::EvaluateFeeder(f));
  run.counters["rows/s"] = benchmark::Counter(static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GivenSize);

void FindSize(benchmark::State& run) {
  const quillet::FeederInputs f = PanelFeeder();
  for (auto _ : run) benchmark::DoNotOptimize(quillet::EvaluateFeeder(f));
  run.counters["rows/s"] = benchmark::Counter(static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(FindSize);

// A mixed schedule: currents, powers and motors; half with a size.
std::string Schedule(int rows) {
  std::string csv = "tag,system,voltage,current,power,motor_hp,pf,material,length,unit,size\n";
  for (int i = 0; i < rows; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 4) {
      case 0: csv += "P" + n + ",3,480," + std::to_string(20 + i % 300) + ",,,0.9,cu,150,ft,4/0\n"; break;
      case 1: csv += "L" + n + ",1,240,,7200,,,al,90,ft,\n"; break;
      case 2: csv += "M" + n + ",3,480,,,25,,cu,60,m,\n"; break;
      default: csv += "F" + n + ",3,208,45.5,,,0.85,cu,35,m,6\n"; break;
    }
  }
  return csv;
}

void WholeSchedule(benchmark::State& run) {
  const std::string csv = Schedule(1000);
  for (auto _ : run) {
    std::istringstream in(csv);
    std::ostringstream out;
    benchmark::DoNotOptimize(quillet::RunSchedule(in, out, {}, 1));
  }
  run.counters["rows/s"] = benchmark::Counter(1000.0 * static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(WholeSchedule)->Unit(benchmark::kMillisecond);

// What the schedule window does in one tick of a long evaluation: the
// window answers the user between slices, so a slice must stay short.
void WindowSlice(benchmark::State& run) {
  const std::string csv = Schedule(64);
  const std::string path = "/tmp/quillet-schedule-bench-slice.csv";
  {
    std::ofstream file(path, std::ios::binary);
    file << csv;
  }
  for (auto _ : run) {
    run.PauseTiming();
    quillet::ScheduleModel model;
    model.Import(path);
    run.ResumeTiming();
    model.EvaluateSome(64);
  }
  std::remove(path.c_str());
  run.counters["rows/s"] = benchmark::Counter(64.0 * static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(WindowSlice)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
