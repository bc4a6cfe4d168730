// The horsepower list `ComHP` for the voltage system in `Text3`.
#pragma once

namespace quillet {

class Elcal;

// `Text3_Change`: "0" fills the three-phase list, "1" the single-phase one,
// and either empties the motor report text; any other text changes nothing.
void RefillMotorList(Elcal& window);

}  // namespace quillet
