// Every control a view shows has a place, and a table that names a control
// its window lacks fails loudly instead of leaving the control unplaced.
#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/layout.h"
#include "script/scripted_services.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

// Timers and menus have no place of their own; the main window's helper
// fields are built hidden and never shown.
bool ShownByViews(const Control& control) {
  return control.Kind() != ControlKind::Timer && control.Kind() != ControlKind::Menu && control.Visible();
}

TEST(Layout, EveryControlOfEveryWindowIsPlaced) {
  ScriptedServices services{""};
  Workbench bench(services, 28800, 16200);
  for (Window* window : bench.program.Windows()) {
    for (const Control* control : window->Controls()) {
      if (!ShownByViews(*control)) continue;
      EXPECT_TRUE(control->Place().width > 0 && control->Place().height > 0)
          << window->Name() << "." << control->Name() << " has no place";
    }
  }
}

TEST(Layout, AMisspeltNameInATableThrows) {
  ScriptedServices services{""};
  Workbench bench(services, 28800, 16200);
  const Placement misspelt[] = {{"Comws", {0, 0, 10, 10}}};
  EXPECT_THROW(Arrange(bench.program.main, misspelt), std::logic_error);
}

}  // namespace
}  // namespace quillet
