// NEC motor full-load currents (the 230 V column of Tables 430.248 and 430.250).
#pragma once

namespace quillet {

struct ElcalState;

void FillMotorTable(ElcalState& state);

}  // namespace quillet
