#include "motor/motor_table.h"

#include <iterator>

#include "core/elcal_state.h"

namespace quillet {
namespace {
constexpr float kThreePhaseFla[kMotorRows] = {2.2f, 3.2f, 4.2f, 6.0f, 6.8f, 9.6f, 15.2f,
                                              22,   28,   42,   54,   68,   80,   104,
                                              130,  154,  192,  248,  312,  360,  480};
constexpr float kSinglePhaseFla[] = {2.2f, 2.9f, 3.6f, 4.9f, 6.9f, 8.0f, 10, 12, 17, 28, 40, 50};
}  // namespace

void FillMotorTable(ElcalState& s) {
  for (int row = 0; row < kMotorRows; ++row) {
    s.MotorFLATable[kMotorColumns * row] = kThreePhaseFla[row];
    if (row < static_cast<int>(std::size(kSinglePhaseFla)))
      s.MotorFLATable[kMotorColumns * row + 1] = kSinglePhaseFla[row];
  }
}

}  // namespace quillet
