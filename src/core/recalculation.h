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

}  // namespace quillet
