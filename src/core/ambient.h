// The ambient temperature button: walks the correction factors of the
// insulation rating in force.
#pragma once

namespace quillet {

class Elcal;

void AttachAmbient(Elcal& window);
// Back to 30 °C after an insulation change, with its two-line caption.
void ResetAmbient(Elcal& window);

}  // namespace quillet
