// The words of one calculation, as the window and the state hold them at the
// last pass. The clipboard summary and the printed page both take them from
// here, so the two never tell different stories.
#pragma once

#include <string>

namespace quillet {

class Elcal;

inline constexpr char kJobLabel[] = "Job Name/Feeder Tag";

std::string VoltageWords(const Elcal& window);   // "208 V, 3 Phase"
std::string CurrentWords(const Elcal& window);   // "10.0 Amp"
std::string PowerWords(const Elcal& window);     // "2,080 VA  @ PF = 1"
std::string AcDropWords(const Elcal& window);    // "0.27 V / 0.13 % of the supply voltage."
// "10 FT long, single run of  3 or 4 #  14 AWG Copper installed in Steel conduit."
std::string FeederWords(const Elcal& window);
// "Feeder Code ampacity  @ 30°C (86)°F ambient. = 20 A"
std::string AmpacityWords(const Elcal& window);
std::string OperatingTemperatureWords(const Elcal& window);
// "AC resistance = ... for conductor temperature of 75°C"
std::string ResistanceWords(const Elcal& window);
// "Calculated for RHH, RHW, RHW-2 type wires with insulation rated at 75°C (167°F)."
std::string ConductorWords(const Elcal& window);

}  // namespace quillet
