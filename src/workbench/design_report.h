// The calculation report's design block: the feeder design the engine gives
// for the main window's inputs, as the schedule would give it for that row.
#pragma once

#include "report/calculation_report.h"

namespace quillet {

class Elcal;

// The load is taken as a motor when it comes from the motor list and as
// non-continuous otherwise: the main window has no duty to read. The drop
// is judged against the limit given; the verdict is the schedule's Check.
// A nonlinear load (the size finder's choice for this feeder) makes the
// neutral of a three-phase four-wire feeder count (310.15(E)(3)).
ReportSection DesignSection(const Elcal& window, double dropLimitPercent, bool nonlinear);

}  // namespace quillet
