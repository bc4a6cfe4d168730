// The calculation report's design block: the feeder design the engine gives
// for the main window's inputs, as the schedule would give it for that row.
#pragma once

#include "report/calculation_report.h"

namespace quillet {

class Elcal;

// The load is taken as a motor when it comes from the motor list and as
// non-continuous otherwise: the main window has no duty to read. The drop
// is judged against the limit given; the verdict is the schedule's Check.
ReportSection DesignSection(const Elcal& window, double dropLimitPercent);

}  // namespace quillet
