// The load rules on their own, each row worked by hand from NEC 2023
// Article 220, 215.2(A)(1) and 430.24 and Table 430.250's currents.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "design/loads.h"

namespace quillet {
namespace {

using enum LoadClass;

struct Placed {
  UnitLoad load;
  std::optional<Legs> legs = std::nullopt;  // placed by a single-phase feeder of a three-phase supply
};

LoadSum SumOf(const std::vector<Placed>& loads) {
  LoadSum sum;
  for (const Placed& p : loads) {
    LoadSum one;
    one.Add(p.load);
    if (p.legs) one.PlaceOn(p.legs);
    sum.Add(one);
  }
  return sum;
}

UnitLoad Va(LoadClass loadClass, double va, bool continuous = false, int quantity = 1) {
  return {loadClass, va, quantity, continuous};
}

TEST(LoadRules, DemandTiers) {
  struct Row {
    const char* name;
    double connected, calculated;
    double (*demand)(double);
  } rows[] = {
      {"a dwelling: 3 kVA at 100 %, to 120 kVA at 35 %, the rest at 25 %", 150000, 3000 + 40950 + 7500,
       [](double va) { return GeneralLightingDemand(va, Occupancy::Dwelling); }},
      {"a dwelling under 3 kVA", 2500, 2500, [](double va) { return GeneralLightingDemand(va, Occupancy::Dwelling); }},
      {"a hospital: 50 kVA at 40 %, the rest at 20 %", 80000, 20000 + 6000,
       [](double va) { return GeneralLightingDemand(va, Occupancy::Hospital); }},
      {"a hotel: 20 kVA at 50 %, to 100 kVA at 40 %, the rest at 30 %", 150000, 10000 + 32000 + 15000,
       [](double va) { return GeneralLightingDemand(va, Occupancy::Hotel); }},
      {"a warehouse: 12.5 kVA at 100 %, the rest at 50 %", 20000, 12500 + 3750,
       [](double va) { return GeneralLightingDemand(va, Occupancy::Warehouse); }},
      {"any other occupancy at 100 %", 123456, 123456,
       [](double va) { return GeneralLightingDemand(va, Occupancy::Other); }},
      {"receptacles: 10 kVA at 100 %, the rest at 50 %", 25000, 17500, ReceptacleDemand},
      {"receptacles under 10 kVA", 9000, 9000, ReceptacleDemand},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.demand(row.connected), row.calculated);
  }
}

TEST(LoadRules, KitchenEquipmentByTheNumberOfUnits) {
  struct Row {
    const char* name;
    std::vector<Placed> units;
    double calculated;
  } rows[] = {
      {"one unit at 100 %", {{Va(Kitchen, 12000)}}, 12000},
      {"three units at 90 %", {{Va(Kitchen, 4000, false, 3)}}, 10800},
      {"five units at 70 %: 40 kW gives 28 kW",
       {{Va(Kitchen, 3000)}, {Va(Kitchen, 5000)}, {Va(Kitchen, 8000)}, {Va(Kitchen, 10000)}, {Va(Kitchen, 14000)}},
       28000},
      {"six units at 65 % is less than the two largest, 15 kW and 20 kW",
       {{Va(Kitchen, 1000, false, 4)}, {Va(Kitchen, 15000)}, {Va(Kitchen, 20000)}}, 35000},
      {"two identical units on one row are the two largest",
       {{Va(Kitchen, 500, false, 6)}, {Va(Kitchen, 9000, false, 2)}}, 18000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(Calculate(SumOf(row.units), Occupancy::Other).calculatedVa, row.calculated);
  }
}

TEST(LoadRules, PanelsWorkedByHand) {
  const double root3 = std::sqrt(3.0);
  struct Row {
    const char* name;
    std::vector<Placed> loads;
    Occupancy occupancy;
    double volts;
    bool threePhase;
    double connectedVa, calculatedVa, designVa, current, designCurrent;
  } rows[] = {
      // 80 receptacles × 180 VA = 14,400 VA: 10,000 + 4,400 / 2 = 12,200 VA;
      // 9,000 + 6,000 VA of lighting and a 1,200 VA sign, all continuous.
      {"a store panel at 120/240 V",
       {{Va(Receptacle, kReceptacleVaPerYoke, false, 80)},
        {Va(Lighting, 9000, true)},
        {Va(Lighting, 6000, true)},
        {Va(Other, 1200, true)}},
       Occupancy::Other, 240, false, 30600, 28400, 32450, 28400.0 / 240, 32450.0 / 240},
      // Table 430.250 at 460 V: 15, 25, 30, 50 and 75 HP; 256 A + 25 % of 96 A.
      {"five motors at 460 V",
       {{Va(Motor, 21 * 460 * root3)},
        {Va(Motor, 34 * 460 * root3)},
        {Va(Motor, 40 * 460 * root3)},
        {Va(Motor, 65 * 460 * root3)},
        {Va(Motor, 96 * 460 * root3)}},
       Occupancy::Other, 460, true, 256 * 460 * root3, 256 * 460 * root3, 280 * 460 * root3, 256, 280},
      // Two receptacle panels of 8 kVA: one 10 kVA tier for both, not two.
      {"receptacles of two panels share one 10 kVA tier",
       {{Va(Receptacle, 8000)}, {Va(Receptacle, 8000)}},
       Occupancy::Other, 240, false, 16000, 13000, 13000, 13000.0 / 240, 13000.0 / 240},
      // A: 2,400 VA + half of 4,160 VA + a third of 9,000 VA = 7,480 VA over
      // 208 / √3 V; balanced it would be 17,960 VA over √3 × 208 V.
      {"a 208Y/120 V panel: the heaviest leg governs",
       {{Va(Other, 2400), Legs::A},
        {Va(Other, 1200), Legs::B},
        {Va(Other, 1200), Legs::C},
        {Va(Other, 4160), Legs::AB},
        {Va(Other, 9000)}},
       Occupancy::Other, 208, true, 17960, 17960, 17960, 7480 * root3 / 208, 7480 * root3 / 208},
      {"continuous lighting on leg B decides the design current only",
       {{Va(Other, 3000), Legs::A}, {Va(Lighting, 2800, true), Legs::B}},
       Occupancy::Other, 208, true, 5800, 5800, 6500, 3000 * root3 / 208, 3500 * root3 / 208},
      {"dwelling lighting tiers with a continuous share",
       {{Va(Lighting, 6000, true)}, {Va(Lighting, 4000)}},
       Occupancy::Dwelling, 240, false, 10000, 3000 + 7000 * 0.35, 5450 + 0.25 * 5450 * 0.6, 5450.0 / 240,
       (5450 + 0.25 * 5450 * 0.6) / 240},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CalculatedLoad c = Calculate(SumOf(row.loads), row.occupancy);
    EXPECT_NEAR(c.connectedVa, row.connectedVa, 1e-9 * row.connectedVa);
    EXPECT_NEAR(c.calculatedVa, row.calculatedVa, 1e-9 * row.calculatedVa);
    EXPECT_NEAR(c.designVa, row.designVa, 1e-9 * row.designVa);
    EXPECT_NEAR(LineCurrent(c.calculatedVa, c.calculatedLegs, row.volts, row.threePhase), row.current, 1e-9);
    EXPECT_NEAR(LineCurrent(c.designVa, c.designLegs, row.volts, row.threePhase), row.designCurrent, 1e-9);
  }
}

TEST(LoadRules, TheStorePanelIsExact) {
  const CalculatedLoad c = Calculate(SumOf({{Va(Receptacle, kReceptacleVaPerYoke, false, 80)},
                                             {Va(Lighting, 9000, true)},
                                             {Va(Lighting, 6000, true)},
                                             {Va(Other, 1200, true)}}),
                                      Occupancy::Other);
  EXPECT_EQ(c.calculatedVa, 28400);
  EXPECT_EQ(c.designVa, 32450);
}

TEST(LoadRules, ATransformerSpreadsItsSecondaryOverThePrimary) {
  LoadSum secondary = SumOf({{Va(Other, 6000), Legs::A}});
  secondary.Spread();
  const CalculatedLoad c = Calculate(secondary, Occupancy::Other);
  EXPECT_FALSE(c.calculatedLegs);
  EXPECT_NEAR(LineCurrent(c.calculatedVa, c.calculatedLegs, 480, true), 6000 / (std::sqrt(3.0) * 480), 1e-12);
}

}  // namespace
}  // namespace quillet
