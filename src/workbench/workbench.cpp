#include "workbench/workbench.h"

#include <utility>

namespace quillet {

Workbench::Workbench(Services& services, int screenWidth, int screenHeight)
    : program(services, screenWidth, screenHeight),
      finder(program.desktop, program.main, program.actions),
      schedule(program) {
  FeederTools tools;
  tools.findSmallestSize = [this] { finder.Open(); };
  tools.openSchedule = [this] { schedule.Open(); };
  tools.addFeederToSchedule = [this] { schedule.AddCurrentFeeder(); };
  program.AddFeederTools(std::move(tools), {&finder, &schedule});
  // Quitting with unsaved rows asks first, as closing the schedule does.
  program.main.QueryUnload = [this] { return schedule.QueryUnload(); };
  program.main.Unload = [this, unload = std::move(program.main.Unload)] {
    if (unload) unload();
    schedule.Close();
  };
}

}  // namespace quillet
