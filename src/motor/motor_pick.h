// Picking a motor horsepower sets the current to the NEC full-load current
// for the system voltage.
#pragma once

namespace quillet {

class Elcal;

// The full-load current of a base (230 V column) current at voltage U;
// no result for U = 0.
bool MotorFLAForVoltage(double baseFla, double voltage, float& fla);

void AttachMotorPick(Elcal& window);

}  // namespace quillet
