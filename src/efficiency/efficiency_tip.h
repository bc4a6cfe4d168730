// The feeder-efficiency tip: the yearly cost of the voltage drop and what the
// next larger size would save, on hovering and clicking `Command1`.
#pragma once

namespace quillet {

class Elcal;
struct ElcalState;

// Dollars per year lost through a drop of `dropVolts`, as a single.
float AnnualEnergyCost(const ElcalState& state, float dropVolts);

void AttachEfficiencyTip(Elcal& window);

}  // namespace quillet
