// The two unit toggles: metric/imperial lengths and °C/°F temperatures.
#pragma once

namespace quillet {

class Elcal;

void AttachUnits(Elcal& window);

}  // namespace quillet
