// The unit toggles and the load lock: each handler that changes one stores
// it in the state, and the button's caption or the running ticker follows
// from there.
#pragma once

#include "core/state_choices.h"

namespace quillet {

class Elcal;

// Also the metres per unit of the length field.
void SetLengthUnit(Elcal& window, LengthSystem unit);
void SetTemperatureUnit(Elcal& window, TemperatureScale unit);
void SetLoadLock(Elcal& window, LoadLock lock);

}  // namespace quillet
