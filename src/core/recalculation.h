// The recalculation pass `TiCommon_Click`: reads the whole state and the
// options it needs, computes every result and rewrites every result caption.
#pragma once

namespace quillet {

class Elcal;
struct ElcalState;

void RecalculationPass(Elcal& window);

// The pass's conductor resistance, ohms per km: the DC resistance of the
// state's material at a temperature for a cross-section, and the AC
// resistance from it and the skin factor.
double DcResistancePerKm(const ElcalState& state, double tempC, float areaMm2);
double AcResistancePerKm(float skinFactor, float rdcKm);
// The AC resistance the pass would store for the size it last computed
// had the set temperature been `tempC`: the state's material, area and
// skin factor after a pass, each step rounded to the state's precision.
float AcResistancePerKmAt(const ElcalState& state, double tempC);
// The pass's numbers for another item of the size list, worked by the
// pass's own steps on `numbers`, a copy of the window's state after a pass:
// every number is what a pass leaves in the state once that item is picked.
// Nothing of the window changes; no caption is written, nor any of the
// state's texts. False, and `numbers` spoilt, where the pass would not
// compute them all or would click the single run, which only the window
// itself can show.
bool RecalculateNumbers(const Elcal& window, int sizeIndex, ElcalState& numbers);

}  // namespace quillet
