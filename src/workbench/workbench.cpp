#include "workbench/workbench.h"

#include <utility>

namespace quillet {

Workbench::Workbench(Services& services, int screenWidth, int screenHeight)
    : program(services, screenWidth, screenHeight), finder(program.desktop, program.main, program.actions) {
  FeederTools tools;
  tools.findSmallestSize = [this] { finder.Open(); };
  program.AddFeederTools(std::move(tools), {&finder});
}

}  // namespace quillet
