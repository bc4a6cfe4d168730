#include "core/shown_state.h"

#include "core/elcal.h"

namespace quillet {

void SetLengthUnit(Elcal& w, LengthSystem unit) {
  const bool feet = unit == LengthSystem::Imperial;
  w.state.LengthUnit = unit;
  w.state.LengthFactor = feet ? 0.3048f : 1.0f;
  w.CmdUnit.SetCaption(feet ? "FT" : "m");
}

void SetTemperatureUnit(Elcal& w, TemperatureScale unit) {
  w.state.TemperatureUnit = unit;
  w.CmdDeg.SetCaption(unit == TemperatureScale::Fahrenheit ? "°F" : "°C");
}

// The stopped ticker first, so the two never run together.
void SetLoadLock(Elcal& w, LoadLock lock) {
  w.state.Locked = lock;
  if (lock != LoadLock::Current) w.Timer1.SetEnabled(false);
  if (lock != LoadLock::Power) w.Timer2.SetEnabled(false);
  if (lock == LoadLock::Current) w.Timer1.SetEnabled(true);
  if (lock == LoadLock::Power) w.Timer2.SetEnabled(true);
}

}  // namespace quillet
