// Fixed conductor data: the size list, NEC Table 310.16 ampacities, material
// constants, cross-sections and the skin and reactance coefficients.
#pragma once

#include <array>
#include <cstdint>

#include "core/elcal_state.h"

namespace quillet {

// List items, exactly 8 characters, right-aligned.
extern const std::array<const char*, kSizeCount> kSizeItems;

// Copper list positions of the first size that may run in parallel.
inline constexpr int kFirstParallelCopper = 9;     // 1/0 AWG
inline constexpr int kFirstParallelAluminium = 8;  // 1/0 AWG in the aluminium list
inline constexpr int kLastCopperIndex = 20;
inline constexpr int kLastAluminiumIndex = 19;

struct Material {
  float resistivity;     // ohm·m at 20 °C
  float tempCoeff;       // per °C
  std::int16_t meltingPointC;
};
extern const Material kCopper;
extern const Material kAluminium;

// Cross-sections in mm² by AreaIndex.
extern const std::array<float, kSizeCount> kSizeTableMm2;

struct SkinCoefficients {
  float a, b, c;
};
// By ConductorColumn: copper steel, copper PVC, aluminium steel, aluminium PVC.
extern const std::array<SkinCoefficients, 4> kSkinTable;

struct ReactanceCoefficients {
  float coefA, exponent, coefC;
};
extern const ReactanceCoefficients kReactanceSteel;
extern const ReactanceCoefficients kReactancePvc;

// Writes the ampacities into the state (aluminium row 20 stays 0).
void FillAmpacityTable(ElcalState& state);

}  // namespace quillet
