// The full-load currents that reach the current field, for every row, both
// voltage systems and one voltage inside each range.
#include <gtest/gtest.h>

#include <string>

#include "core/elcal_state.h"
#include "core/numbers.h"
#include "motor/motor_pick.h"
#include "motor/motor_table.h"

namespace quillet {
namespace {

std::string Shown(float base, double volts) {
  float fla = 0;
  if (!MotorFLAForVoltage(base, volts, fla)) return "none";
  return FormatPattern(fla, fla < 100 ? "##.0" : "####");
}

constexpr double kVoltages[] = {115, 200, 230, 460, 575};

// Rows of the NEC tables as the field shows them, 110-120, 192-208,
// 220-240, 440-480 and 550-600 V.
const char* const kThreePhase[21][5] = {
    {"4.4", "2.5", "2.2", "1.1", ".9"},     {"6.4", "3.7", "3.2", "1.6", "1.3"},
    {"8.4", "4.8", "4.2", "2.1", "1.7"},    {"12.0", "6.9", "6.0", "3.0", "2.4"},
    {"13.6", "7.8", "6.8", "3.4", "2.7"},   {"19.2", "11.0", "9.6", "4.8", "3.9"},
    {"30.4", "17.5", "15.2", "7.6", "6.1"}, {"44.0", "25.3", "22.0", "11.0", "9.0"},
    {"56.0", "32.2", "28.0", "14.0", "11.0"}, {"84.0", "48.3", "42.0", "21.0", "17.0"},
    {"108", "62.1", "54.0", "27.0", "22.0"},  {"136", "78.2", "68.0", "34.0", "27.0"},
    {"160", "92.0", "80.0", "40.0", "32.0"},  {"208", "120", "104", "52.0", "41.0"},
    {"260", "150", "130", "65.0", "52.0"},    {"308", "177", "154", "77.0", "62.0"},
    {"384", "221", "192", "96.0", "77.0"},    {"496", "285", "248", "124", "99.0"},
    {"624", "359", "312", "156", "125"},      {"720", "414", "360", "180", "144"},
    {"960", "552", "480", "240", "192"},
};
const char* const kSinglePhase[12][5] = {
    {"4.4", "2.5", "2.2", "1.1", ".9"},     {"5.8", "3.3", "2.9", "1.5", "1.2"},
    {"7.2", "4.1", "3.6", "1.8", "1.4"},    {"9.8", "5.6", "4.9", "2.5", "2.0"},
    {"13.8", "7.9", "6.9", "3.5", "2.8"},   {"16.0", "9.2", "8.0", "4.0", "3.2"},
    {"20.0", "11.5", "10.0", "5.0", "4.0"}, {"24.0", "13.8", "12.0", "6.0", "4.8"},
    {"34.0", "19.6", "17.0", "8.5", "6.8"}, {"56.0", "32.2", "28.0", "14.0", "11.0"},
    {"80.0", "46.0", "40.0", "20.0", "16.0"}, {"100", "57.5", "50.0", "25.0", "20.0"},
};

TEST(MotorFla, EveryRowOfBothTablesInEveryVoltageRange) {
  ElcalState state;
  FillMotorTable(state);
  for (int row = 0; row < 21; ++row)
    for (int range = 0; range < 5; ++range)
      EXPECT_EQ(Shown(state.MotorFLATable[3 * row], kVoltages[range]), kThreePhase[row][range])
          << "three-phase row " << row << " at " << kVoltages[range] << " V";
  for (int row = 0; row < 12; ++row)
    for (int range = 0; range < 5; ++range)
      EXPECT_EQ(Shown(state.MotorFLATable[3 * row + 1], kVoltages[range]), kSinglePhase[row][range])
          << "single-phase row " << row << " at " << kVoltages[range] << " V";
}

TEST(MotorFla, OutsideTheRangesScalesWithTheVoltage) {
  struct Row {
    const char* name;
    double volts;
    const char* shown;
  } rows[] = {
      {"250 V between the ranges", 250, "25.8"}, {"690 V above 600", 690, "9.7"},
      {"range bounds are inclusive", 208, "32.2"}, {"just below 110 V", 100, "64.4"},
      {"no voltage gives no current", 0, "none"},
  };
  for (const Row& row : rows) EXPECT_EQ(Shown(28, row.volts), row.shown) << row.name;
}

}  // namespace
}  // namespace quillet
