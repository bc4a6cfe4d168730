// The design rules on their own, each row worked by hand from NEC 2023:
// 240.6(A) and 430.52(C)(1) for the device, 110.14(C)(1) for the terminals,
// 240.4 for the device against the conductor, Table 250.122 with Chapter 9
// Table 8 for the grounding conductor.
#include <gtest/gtest.h>

#include "schedule/feeder_design.h"

namespace quillet {
namespace {

constexpr int k14 = 0, k12 = 1, k10 = 2, k8 = 3, k6 = 4, k4 = 5, k3 = 6, k1 = 8, k1_0 = 9, k2_0 = 10, k3_0 = 11,
              k4_0 = 12, k250 = 13, k350 = 15, k600 = 18, k750 = 19, k1000 = 20;

FeederInputs Load(LoadKind kind, bool continuous = false, std::optional<int> ocpd = {}, std::optional<int> terminal = {}) {
  FeederInputs f;
  f.load = kind;
  f.continuous = continuous;
  f.ocpd = ocpd;
  f.terminalC = terminal;
  return f;
}

TEST(DesignRules, TheDesignCurrentTheDeviceAndTheTerminals) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    double current, designCurrent;
    std::optional<int> device;
    int terminalC;
  } rows[] = {
      {"100 A: a 100 A device, 60 °C", Load(LoadKind::Current), 100, 100, 100, 60},
      {"100.5 A: a 110 A device, 75 °C", Load(LoadKind::Current), 100.5, 100.5, 110, 75},
      {"continuous 80 A: 100 A and a 100 A device", Load(LoadKind::Current, true), 80, 100, 100, 60},
      {"a 124 A motor: 155 A, 2.5 × 124 = 310 A, so 350 A", Load(LoadKind::Motor), 124, 155, 350, 75},
      {"a 14 A motor: 17.5 A, 35 A is a rating, 60 °C", Load(LoadKind::Motor), 14, 17.5, 35, 60},
      {"a continuous motor is 125 % once", Load(LoadKind::Motor, true), 40, 50, 100, 60},
      {"a given device is kept, even below the load", Load(LoadKind::Current, false, 90), 100, 100, 90, 60},
      {"given 75 °C terminals on a 20 A device", Load(LoadKind::Current, false, {}, 75), 16, 16, 20, 75},
      {"6000 A is the largest rating", Load(LoadKind::Current), 6000, 6000, 6000, 75},
      {"nothing reaches 6001 A", Load(LoadKind::Current), 6001, 6001, std::nullopt, 75},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const DesignBasis b = DesignBasisFor(row.feeder, row.current);
    EXPECT_EQ(b.designCurrent, row.designCurrent);
    EXPECT_EQ(b.device, row.device);
    EXPECT_EQ(b.terminalC, row.terminalC);
  }
}

TEST(DesignRules, TheDeviceAgainstTheConductor) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    double current;
    float ampacity;
    int area;
    bool aluminium;
    Protection protection;
    bool enough;
  } rows[] = {
      {"1 AWG's 110 A on 100 A", Load(LoadKind::Current), 100, 110, k1, false, Protection::Full, true},
      {"101.2 A under a 110 A device, above 100 A", Load(LoadKind::Current), 101, 101.2f, 4, false,
       Protection::NextSizeUp, true},
      {"100 A under a 110 A device: 100 A is a rating", Load(LoadKind::Current, false, 110), 95, 100, k3, false,
       Protection::None, false},
      {"799.9 A under 800 A", Load(LoadKind::Current), 750, 799.9f, k600, false, Protection::NextSizeUp, true},
      {"950 A under 1000 A: above 800 A it must reach it", Load(LoadKind::Current), 900, 950, k750, false,
       Protection::None, false},
      {"115 A is protected by 125 A but short of 120 A", Load(LoadKind::Current), 120, 115, k1, false,
       Protection::NextSizeUp, false},
      {"14 AWG copper up to 15 A", Load(LoadKind::Current, false, {}, 75), 16, 20, k14, false, Protection::None, false},
      {"12 AWG copper up to 20 A", Load(LoadKind::Current, false, {}, 75), 16, 25, k12, false, Protection::Full, true},
      {"10 AWG copper up to 30 A", Load(LoadKind::Current, false, 35), 30, 35, k10, false, Protection::None, false},
      {"12 AWG aluminium up to 15 A", Load(LoadKind::Current, false, {}, 75), 16, 20, k12, true, Protection::None, false},
      {"10 AWG aluminium up to 25 A", Load(LoadKind::Current), 25, 25, k10, true, Protection::Full, true},
      {"a motor's device may exceed 14 AWG's limit", Load(LoadKind::Motor), 10, 15, k14, false,
       Protection::MotorCircuit, true},
      {"a motor still needs 125 %", Load(LoadKind::Motor), 124, 150, k1_0, false, Protection::MotorCircuit, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const DesignBasis b = DesignBasisFor(row.feeder, row.current);
    EXPECT_EQ(ProtectionOf(b, row.ampacity, row.area, row.aluminium), row.protection);
    EXPECT_EQ(EnoughAmpacity(b, row.ampacity, row.area, row.aluminium), row.enough);
  }
}

TEST(DesignRules, TheGroundingConductor) {
  struct Row {
    const char* name;
    int device;
    bool aluminium;
    int used;
    std::optional<int> forAmpacity;
    int egc;
    bool upsized;
  } rows[] = {
      {"15 A copper: 14 AWG", 15, false, k12, k12, k14, false},
      {"15 A aluminium: 12 AWG", 15, true, k10, k10, k12, false},
      {"350 A: the 400 A row, 3 AWG", 350, false, k2_0, k2_0, k3, false},
      {"200 A aluminium: 4 AWG", 200, true, k250, k250, k4, false},
      {"1600 A aluminium: 350 kcmil", 1600, true, k600, k600, k350, false},
      {"5000 A copper: 700 kcmil, so 750 kcmil", 5000, false, k1000, k1000, k750, false},
      {"6000 A aluminium: 1200 kcmil, the feeder's own", 6000, true, k1000, k1000, k1000, false},
      {"60 A on 12 AWG: 10 AWG, never above the feeder", 60, false, k12, k12, k12, false},
      {"100 A, 1 AWG grown to 3/0: 16,510 × 167,800 / 83,690 = 33,102 cmil, 4 AWG", 100, false, k3_0, k1, k4, true},
      {"100 A, 1 AWG grown to 1/0: 20,833 cmil, 6 AWG", 100, false, k1_0, k1, k6, true},
      {"100 A, 1 AWG grown to 2 AWG: 13,091 cmil, still 8 AWG", 100, false, 7, k1, k8, false},
      {"a feeder smaller than its size for ampacity is not grown", 250, false, k4_0, k250, k4, false},
      {"no size for ampacity: the table's size", 400, false, k4_0, std::nullopt, k3, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const GroundingConductor egc = GroundingConductorFor(row.device, row.aluminium, row.used, row.forAmpacity);
    EXPECT_EQ(egc.area, row.egc);
    EXPECT_EQ(egc.upsized, row.upsized);
  }
}

TEST(DesignRules, TheCheckOfEachSizeUsed) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    double current;
    float ampacity;
    int area;
    std::optional<DeviceCheck> check;
  } rows[] = {
      {"ok", Load(LoadKind::Current), 100, 110, k1, DeviceCheck::Ok},
      {"next size up", Load(LoadKind::Current), 101, 101.2f, 7, DeviceCheck::NextSizeUp},
      {"conductor too small", Load(LoadKind::Current, true), 200, 230, k4_0, DeviceCheck::ConductorTooSmall},
      {"below the load, whatever the conductor", Load(LoadKind::Current, false, 90), 100, 60, k4, DeviceCheck::BelowTheLoad},
      {"a motor's device below its current is its own", Load(LoadKind::Motor, false, 100), 124, 175, k2_0, DeviceCheck::Ok},
      {"no device, no check", Load(LoadKind::Current), 7000, 230, k4_0, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FeederDesign d = DesignOf(DesignBasisFor(row.feeder, row.current), row.ampacity, row.area, row.area, false);
    EXPECT_EQ(d.check, row.check);
  }
}

}  // namespace
}  // namespace quillet
