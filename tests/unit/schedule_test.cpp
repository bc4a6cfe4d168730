// The handbook's transformer example through the tool's run. (Files of
// every kind: schedule_files_test.cpp; rows kept in place, threads and
// defaults: schedule_tool.cmake.)
#include <gtest/gtest.h>

#include <sstream>

#include "schedule/csv.h"
#include "schedule/schedule.h"

namespace quillet {
namespace {

std::string Evaluated(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  RunSchedule(in, out, {}, 1);
  return out.str();
}

std::vector<std::vector<std::string>> Records(const std::string& csv) {
  std::istringstream in(csv);
  CsvReader reader(in);
  std::vector<std::vector<std::string>> records = {reader.ReadHeader().cells};
  for (CsvRecord record; reader.Next(record);) records.push_back(record.cells);
  return records;
}

std::string Cell(const std::vector<std::vector<std::string>>& records, std::size_t row, const std::string& column) {
  const auto& header = records[0];
  const auto at = std::find(header.begin(), header.end(), column) - header.begin();
  return records[row][static_cast<std::size_t>(at)];
}

// The point-to-point method's published 1500 kVA example (Eaton Bussmann,
// "Selecting Protective Devices"): 480 V, 3.5 %Z, an unlimited primary; 25 ft
// of six 500 kcmil copper in steel to the switchboard, then 50 ft of one;
// motors of 100 % of the transformer's 1,804 A at the switchboard. The
// handbook gives 57,278 A at the terminals (1.732 for √3), 55,138 A and
// 38,068 A after the runs, 7,217 A of motors. The impedance method agrees at
// the terminals and, with the calculator's own conductors, comes out
// 0.33 % and 4.1 % lower after them (the README's comparison).
TEST(Schedule, TheHandbooksTransformerExampleByTheImpedanceMethod) {
  const auto records = Records(Evaluated(
      "tag,voltage,current,length,unit,runs,size,conduit,fed_from,load_class,xfmr_kva,xfmr_z_pct\n"
      "Switchboard,480,1804,25,ft,6,500 kcmil,steel,,,1500,3.5\n"
      "Second run,480,400,50,ft,1,500 kcmil,steel,Switchboard,,,\n"
      "Motors,480,1804,10,ft,6,500 kcmil,steel,Switchboard,motor,,\n"));
  const auto kA = [&](std::size_t row, const char* column) { return std::stod(Cell(records, row, column)); };
  EXPECT_NEAR(kA(1, "isc_supply_ka"), 57.2768, 5e-4);
  EXPECT_EQ(Cell(records, 1, "isc_motor_ka"), "7.216");
  EXPECT_NEAR(kA(1, "isc_ka") - kA(1, "isc_motor_ka"), 54.958, 5e-4);
  EXPECT_NEAR(kA(2, "isc_ka") - kA(2, "isc_motor_ka"), 36.499, 5e-4);
  EXPECT_NEAR(kA(2, "isc_ka"), 43.715, 5e-4);
  // Within 5 % of the handbook's figures.
  EXPECT_NEAR(kA(1, "isc_ka") - kA(1, "isc_motor_ka"), 55.138, 55.138 * 0.05);
  EXPECT_NEAR(kA(2, "isc_ka") - kA(2, "isc_motor_ka"), 38.068, 38.068 * 0.05);
}

}  // namespace
}  // namespace quillet
