#include "motor/motor_pick.h"

#include <cmath>

#include "core/elcal.h"
#include "core/numbers.h"
#include "core/shown_state.h"

namespace quillet {
namespace {

// The NEC 575 V column is not a plain ratio of the 230 V one.
float Correct600Volt(float fla) {
  if (fla == 41.6f) fla = 41;
  if (fla > 8) fla = static_cast<float>(std::nearbyint(static_cast<double>(fla)));
  if (fla > 3.7f && fla < 3.9f) fla = 3.9f;
  return fla;
}

void ComHP_Click(Elcal& w) {
  ElcalState& s = w.state;
  s.MotorLoad = 1;
  w.OptPF08.SetValue(true);
  s.PowerFactor = 0.8f;
  w.VA.SetCaption("W");
  w.Opt75C.SetValue(true);
  s.InsulationText = "with insulation rated at 75°C (167°F).";
  s.InsulationColumn = 0;
  SetLoadLock(w, LoadLock::Current);
  int row = w.ComHP.ListIndex();
  if (row < 0) row = 0;
  if (s.PhaseCode == 0 && row > 20) row = 20;
  if (s.PhaseCode == 1 && row > 11) row = 11;
  s.HPIndex = static_cast<std::int16_t>(row);
  const int column = s.PhaseCode == 0 ? 0 : 1;
  s.MotorBaseFLA = s.MotorFLATable[column + kMotorColumns * row];
  // Without a voltage there is no full-load current to show.
  if (!MotorFLAForVoltage(s.MotorBaseFLA, s.Voltage, s.MotorFLA)) return;
  s.Current = s.MotorFLA;
  w.A.SetText(FormatPattern(s.Current, s.Current < 100 ? "##.0" : "####"));
  s.MotorText = "Sizing feeder for " + w.ComHP.Text() + " motor ";
}

}  // namespace

bool MotorFLAForVoltage(double b, double u, float& fla) {
  double value;
  if (u > 600) value = b * 240 / u;
  else if (u >= 550) value = b * 240 / 600;
  else if (u >= 440 && u <= 480) value = b * 240 / 480;
  else if (u >= 220 && u <= 240) value = b;
  else if (u >= 192 && u <= 208) value = b * 240 / 208 * 0.997;
  else if (u >= 110 && u <= 120) value = b * 240 / 120;
  else if (u != 0) value = b * 230 / u;
  else return false;
  fla = static_cast<float>(value);
  if (u >= 550 && u <= 600) fla = Correct600Volt(fla);
  return std::isfinite(fla);
}

void AttachMotorPick(Elcal& w) {
  w.ComHP.Click = [&w] { ComHP_Click(w); };
  // Any key in the list applies the pick as it stands before the key acts.
  w.ComHP.KeyDown = [&w](int) { ComHP_Click(w); };
}

}  // namespace quillet
