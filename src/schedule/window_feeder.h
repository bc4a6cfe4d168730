// The main window's inputs, as they stand, as a feeder: what the size finder
// starts from and what "Add this feeder" puts in a schedule, tagged with the
// job field. Evaluating the feeder gives the numbers the window shows.
#pragma once

#include "schedule/feeder.h"

namespace quillet {

class Elcal;

FeederInputs FeederFromWindow(const Elcal& window);

}  // namespace quillet
