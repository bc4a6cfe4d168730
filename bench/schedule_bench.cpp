// Feeders per second through the engine on one core: with the size given,
// with the size finder, and whole schedules read, evaluated and written.
// A row's cost is also given in recalculation passes, the pass measured in
// the same run: the engine drives a calculator, so that is its unit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "panel_feeder.h"
#include "recalculation_pass.h"
#include "schedule/feeder_engine.h"
#include "schedule/schedule.h"
#include "workbench/schedule_model.h"
#include "workbench/schedule_window.h"

namespace {

using quillet::PanelFeeder;

BENCHMARK(quillet::RecalculationPassBenchmark)->Name("RecalculationPass");

void GivenSize(benchmark::State& run) {
  quillet::FeederInputs f = PanelFeeder();
  f.areaIndex = 12;  // 4/0 AWG
  quillet::FeederEngine engine;
  for (auto _ : run) benchmark::DoNotOptimize(engine.Evaluate(f));
  run.counters["rows/s"] = benchmark::Counter(static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GivenSize);

void FindSize(benchmark::State& run) {
  const quillet::FeederInputs f = PanelFeeder();
  quillet::FeederEngine engine;
  for (auto _ : run) benchmark::DoNotOptimize(engine.Evaluate(f));
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
  constexpr std::size_t kRows = quillet::ScheduleWindow::kRowsPerTick;
  const std::string csv = Schedule(static_cast<int>(kRows));
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
    model.EvaluateSome(kRows);
  }
  std::remove(path.c_str());
  run.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(kRows * run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(WindowSlice)->Unit(benchmark::kMillisecond);

// A distribution tree of `rows` rows: a service, 20 distribution panels, 50
// panels on each (every other one after a 480-208/120 V transformer) and
// branch circuits on those, four fifths of them through the size finder.
// A service, 20 distribution panels and 1,000 panels, half of them after a
// 480-208/120 V transformer, whose loads are their branch circuits': the
// panels give no load of their own, so every branch's load goes up the tree
// before the sizes come down.
std::string Tree(int rows) {
  std::string csv = "tag,fed_from,system,voltage,current,length,unit,size,continuous,runs\n";
  csv += "MSB,,3,480,1500,50,ft,,no,4\n";
  int written = 1;
  for (int d = 0; d < 20; ++d, ++written) csv += "DP" + std::to_string(d) + ",MSB,3,480,,200,ft,,no,6\n";
  for (int p = 0; p < 1000; ++p, ++written)
    csv += "LP" + std::to_string(p) + ",DP" + std::to_string(p / 50) + (p % 2 ? ",3,208,,60" : ",3,480,,150") +
           ",ft,,no,\n";
  for (int b = 0; written < rows; ++b, ++written) {
    const int panel = b % 1000;
    csv += "B" + std::to_string(b) + ",LP" + std::to_string(panel) + (panel % 2 ? ",1,120," : ",1,277,") +
           std::to_string(1 + b % 3) + "," + std::to_string(20 + b % 181) + ",ft," + (b % 5 == 0 ? "12" : "") +
           ",yes,\n";
  }
  return csv;
}

// The whole tool's work on 100,000 rows with two jobs: read and kept aside,
// evaluated level by level, written in input order. QUILLET_TREE_FILE names
// a file to write the schedule to, for quillet-schedule itself.
void TreeOf100000Rows(benchmark::State& run) {
  const std::string csv = Tree(100000);
  if (const char* file = std::getenv("QUILLET_TREE_FILE")) std::ofstream(file, std::ios::binary) << csv;
  for (auto _ : run) {
    std::istringstream in(csv);
    std::ostream out(nullptr);  // written, then dropped
    benchmark::DoNotOptimize(quillet::RunSchedule(in, out, {}, 2));
  }
  run.counters["rows/s"] =
      benchmark::Counter(100000.0 * static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(TreeOf100000Rows)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The console's table, and each benchmark's processor time per iteration
// (the mean of the repetitions, when repeated) kept for the passes.
class PassesReporter : public benchmark::ConsoleReporter {
 public:
  PassesReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      Seconds& kept = seconds_[run.run_name.function_name];
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "mean") kept.mean = seconds;
      } else {
        kept.sum += seconds;
        ++kept.runs;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // A row's time over one pass's, for the rows measured in this run.
  void PrintPasses(std::ostream& out) const {
    const double pass = Of("RecalculationPass");
    if (pass <= 0) return;
    const struct {
      const char* benchmark;
      const char* row;
      int goal;
    } rows[] = {{"GivenSize", "a feeder with its size given", 3}, {"FindSize", "a feeder through the size finder", 5}};
    out << "One recalculation pass: " << std::fixed << std::setprecision(2) << pass * 1e6 << " us of processor time\n";
    for (const auto& row : rows) {
      if (const double time = Of(row.benchmark); time > 0)
        out << row.row << ": " << time / pass << " passes (goal: at most " << row.goal << ")\n";
    }
  }

 private:
  struct Seconds {
    double sum = 0;
    int runs = 0;
    double mean = 0;
  };
  double Of(const std::string& name) const {
    const auto found = seconds_.find(name);
    if (found == seconds_.end()) return 0;
    const Seconds& s = found->second;
    return s.mean > 0 ? s.mean : s.runs > 0 ? s.sum / s.runs : 0;
  }
  std::map<std::string, Seconds> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  PassesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintPasses(std::cout);
  benchmark::Shutdown();
  return 0;
}
