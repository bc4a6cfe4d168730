// The words of a feeder's design, shared by the size finder and the
// calculation report's design block, so both tell the same story. Both
// design the main window's feeder, whose device and terminals are chosen.
#pragma once

#include <string>

#include "schedule/feeder.h"

namespace quillet {

// "155.0 A"
std::string AmperesText(double amperes);
// A device's rating: "1,000 A"
std::string RatingText(int amperes);
// Volt-amperes as kilovolt-amperes: "41.57 kVA".
std::string KvaText(double va);
// "3 AWG copper"
std::string ConductorText(int area, bool aluminium);

// "350 A, the smallest standard rating at or above 2.5 × 124 A (430.52(C)(1), 240.6(A))"
std::string DeviceWords(const DesignBasis& basis, double loadCurrent);
// "75 °C: the device is above 100 A (110.14(C)(1))"
std::string TerminalWords(const DesignBasis& basis);
// What the design check says of the size used.
std::string DeviceCheckWords(const FeederDesign& design);
// "4 AWG copper, upsized with the feeder (250.122(B)), one in each raceway (250.122(F))"
std::string GroundingWords(const FeederDesign& design, const FeederInputs& inputs);

}  // namespace quillet
