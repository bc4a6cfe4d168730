// The ambient temperature button: walks the correction factors of the
// insulation rating in force.
#pragma once

#include <vector>

namespace quillet {

class Elcal;

void AttachAmbient(Elcal& window);
// Back to 30 °C after an insulation change, with its two-line caption.
void ResetAmbient(Elcal& window);

// The bounds in °C that the button walks through for an insulation rating
// of 60, 75 or 90 °C, lowest first, 30 °C among them.
std::vector<int> AmbientChain(int insulationC);

}  // namespace quillet
