// One complete recalculation pass with every caption written, as the 50 ms
// tick runs it: the unit the schedule's rows are measured in.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/program.h"
#include "core/recalculation.h"
#include "script/scripted_services.h"

namespace quillet {

inline void RecalculationPassBenchmark(benchmark::State& run) {
  const auto folder = std::filesystem::temp_directory_path() / "quillet-bench";
  std::filesystem::create_directories(folder);
  ScriptedServices services(folder.string());
  Program program(services, 28800, 16200);
  program.Start();
  Elcal& w = program.main;
  w.state.UserRac = 0.5f;  // the alternate result too
  w.state.UserXl = 0.05f;
  for (auto _ : run) {
    // Alternate the current so every caption really changes.
    w.state.Current = (w.state.Current == 10.0) ? 12.0 : 10.0;
    RecalculationPass(w);
  }
}

}  // namespace quillet
