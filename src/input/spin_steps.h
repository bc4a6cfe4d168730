// The spin buttons: each step moves a value to the next tidy value on a
// ladder whose step grows with the magnitude.
#pragma once

namespace quillet {

class Elcal;

void AttachSpinSteps(Elcal& window);

}  // namespace quillet
