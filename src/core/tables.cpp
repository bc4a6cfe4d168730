#include "core/tables.h"

namespace quillet {

const std::array<const char*, kSizeCount> kSizeItems = {
    "  14 AWG", "  12 AWG", "  10 AWG", "   8 AWG", "   6 AWG", "   4 AWG", "   3 AWG",
    "   2 AWG", "   1 AWG", " 1/0 AWG", " 2/0 AWG", " 3/0 AWG", " 4/0 AWG", " 250 MCM",
    " 300 MCM", " 350 MCM", " 400 MCM", " 500 MCM", " 600 MCM", " 750 MCM", "1000 MCM"};

const Material kCopper{1.758582e-08f, 0.00393f, 1083};
const Material kAluminium{2.869749e-08f, 0.00403f, 652};

const std::array<float, kSizeCount> kSizeTableMm2 = {
    2.0808463f, 3.3086753f, 5.2609997f, 8.3653173f, 13.301375f, 21.150015f, 26.669678f,
    33.629841f, 42.406448f, 53.473545f, 67.428894f, 85.026268f, 107.21614f, 126.67687f,
    152.01224f, 177.34761f, 202.683f,   253.35374f, 304.02448f, 380.03061f, 506.70749f};

const std::array<SkinCoefficients, 4> kSkinTable = {{
    {1.22e-6f, 0.0002f, 0.99f},
    {5e-7f, 8e-5f, 0.997f},
    {5.1e-7f, 0.000117f, 0.995f},
    {2.72e-7f, 3e-5f, 0.9988f},
}};

const ReactanceCoefficients kReactanceSteel{0.2535f, 0.0832f, 0.003f};
const ReactanceCoefficients kReactancePvc{0.1973f, 0.078f, 0.004f};

namespace {
// By size position: Cu 75, Cu 90, Cu 60, Al 75, Al 90, Al 60 (°C).
constexpr float kAmpacityBySize[kSizeCount][6] = {
    {20, 25, 15, 0, 0, 0},          {25, 30, 20, 20, 25, 15},       {35, 40, 30, 30, 35, 25},
    {50, 55, 40, 40, 45, 35},       {65, 75, 55, 50, 55, 40},       {85, 95, 70, 65, 75, 55},
    {100, 115, 85, 75, 85, 65},     {115, 130, 95, 90, 100, 75},    {130, 145, 110, 100, 115, 85},
    {150, 170, 125, 120, 135, 100}, {175, 195, 145, 135, 150, 115}, {200, 225, 165, 155, 175, 130},
    {230, 260, 195, 180, 205, 150}, {255, 290, 215, 205, 230, 170}, {285, 320, 240, 230, 260, 195},
    {310, 350, 260, 250, 280, 210}, {335, 380, 280, 270, 305, 225}, {380, 430, 320, 310, 350, 260},
    {420, 475, 350, 340, 385, 285}, {475, 535, 400, 385, 435, 320}, {545, 615, 455, 445, 500, 375},
};
}  // namespace

void FillAmpacityTable(ElcalState& state) {
  for (int size = 0; size < kSizeCount; ++size) {
    for (int column = 0; column < kInsulationColumns; ++column) {
      state.AmpacityTable[size][column][0] = kAmpacityBySize[size][column];
      // The aluminium list starts one size up, so its row is one less.
      if (size > 0) state.AmpacityTable[size - 1][column][1] = kAmpacityBySize[size][3 + column];
    }
  }
}

}  // namespace quillet
