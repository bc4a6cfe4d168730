// The impedance method on its own, each row worked by hand from the
// published point-to-point examples (Eaton Bussmann, "Selecting Protective
// Devices") and IEEE Std 141's per-unit arithmetic: at a transformer's
// terminals with an unlimited primary both methods give the same current.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "design/fault_current.h"

namespace quillet {
namespace {

TEST(FaultCurrentRules, TransformerTerminalsWithAnUnlimitedPrimary) {
  struct Row {
    const char* name;
    Transformer transformer;
    double volts;
    bool threePhase;
    double amperes;
  } rows[] = {
      // 1,804.2 A full load × 100 / (0.9 × 3.5); the handbook prints 57,278 A with √3 as 1.732.
      {"1500 kVA, 480 V, 3.5 %Z", {1500, 3.5, std::nullopt}, 480, true, 57276.8},
      // 832.7 A × 100 / (0.9 × 2); 46,273 A in the handbook's rounded steps.
      {"300 kVA, 208 V, 2 %Z", {300, 2, std::nullopt}, 208, true, 46262.0},
      // 1,202.8 A / (0.9 × 0.0575); without the tolerance it would be 20,918 A.
      {"1000 kVA, 480 V, 5.75 %Z at 0.9 × nameplate", {1000, 5.75, std::nullopt}, 480, true, 23242.8},
      // The handbook's single-phase transformer: kVA × 1000 / V × 100 / (0.9 × %Z) = 11,574 A line
      // to line, and line to neutral 1.5 × that at the terminals, the larger.
      {"single-phase 50 kVA, 240 V, 2 %Z", {50, 2, std::nullopt}, 240, false, 17361.1},
      // The X/R splits the same magnitude.
      {"1500 kVA, 480 V, 3.5 %Z, X/R 5.5", {1500, 3.5, 5.5}, 480, true, 57276.8},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto terminals = SecondaryTerminals(std::nullopt, row.transformer, row.volts, row.threePhase);
    ASSERT_TRUE(terminals);
    EXPECT_NEAR(FaultAmperes(*terminals), row.amperes, 0.05);
  }
}

TEST(FaultCurrentRules, SinglePhaseTerminalsHaveANeutralAtOneAndAHalfTimesTheCurrent) {
  // 50 kVA, 240 V, 2 %Z: 11,574 A line to line, 1.5 × that, 17,361 A, line to neutral.
  const auto terminals = SecondaryTerminals(std::nullopt, {50, 2, std::nullopt}, 240, false);
  ASSERT_TRUE(terminals && terminals->neutral);
  EXPECT_NEAR(240 / std::abs(terminals->z), 11574.1, 0.05);
  const auto neutral = AlongConductors(*terminals, Connection::LineToNeutral, 120, {});
  ASSERT_TRUE(neutral);
  EXPECT_NEAR(FaultAmperes(*neutral), 17361.1, 0.05);
  // Past the terminals each goes its own way, the conductor out and back:
  // 0.1 + j0.02 Ω each way. Line to line |0.2 + j0.060736| at 240 V is
  // 1,148.2 A, line to neutral |0.2 + j0.046912| at 120 V 584.1 A: the
  // panel there has the line-to-line one.
  const auto panel = AlongConductors(*terminals, Connection::LineToLine, 240, {0.1, 0.02});
  ASSERT_TRUE(panel);
  EXPECT_NEAR(FaultAmperes(*panel), 1148.2, 0.05);
  const auto outlet = AlongConductors(*panel, Connection::LineToNeutral, 120, {});
  ASSERT_TRUE(outlet);
  EXPECT_NEAR(FaultAmperes(*outlet), 584.1, 0.05);
}

TEST(FaultCurrentRules, APrimarySourceIsReferredAcrossByTheVoltageRatioSquared) {
  // 13.8 kV with 20 kA available: 13,800 / (√3 × 20,000) = 0.39837 Ω a phase,
  // × (480 / 13,800)² = 0.00048196 Ω at 480 V. The 1500 kVA, 3.5 %Z
  // transformer: 0.9 × 0.035 × 480² / 1,500,000 = 0.0048384 Ω.
  struct Row {
    const char* name;
    std::optional<double> sourceXr, transformerXr;
    double amperes;
    std::optional<double> xr;
  } rows[] = {
      // 480 / (√3 × 0.0053204) = 52,088 A.
      {"all reactance", std::nullopt, std::nullopt, 52088.2, std::nullopt},
      // Source 0.0000480 + j0.000480, transformer 0.00086552 + j0.0047604: X/R 5.736, 52,102 A.
      {"source X/R 10, transformer X/R 5.5", 10, 5.5, 52102.0, 5.7362},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FaultPoint source = SourcePoint(13800, true, 20000, row.sourceXr);
    EXPECT_NEAR(std::abs(source.z), 0.398372, 1e-6);
    const auto terminals = SecondaryTerminals(source, {1500, 3.5, row.transformerXr}, 480, true);
    ASSERT_TRUE(terminals);
    EXPECT_NEAR(FaultAmperes(*terminals), row.amperes, 0.05);
    ASSERT_EQ(XOverR(*terminals).has_value(), row.xr.has_value());
    if (row.xr) {
      EXPECT_NEAR(*XOverR(*terminals), *row.xr, 5e-4);
    }
  }
}

TEST(FaultCurrentRules, ConductorsAddAlongTheirPath) {
  // A 480 V point of j0.005 Ω a phase; one conductor 0.01 + j0.004 Ω, or
  // 0.02 + j0.005 Ω from a single-phase transformer's terminals.
  const FaultPoint bus{480, true, {0, 0.005}, std::nullopt};
  const Impedance conductor{0.01, 0.004};
  const auto terminals = SecondaryTerminals(std::nullopt, {50, 2, std::nullopt}, 240, false);
  ASSERT_TRUE(terminals);
  struct Row {
    const char* name;
    FaultPoint supply;
    double volts;
    bool threePhase;
    Impedance conductor;
    double amperes;
  } rows[] = {
      // |0.01 + j0.009| = 0.013454 Ω: 480 / (√3 × 0.013454).
      {"three-phase bolted fault", bus, 480, true, conductor, 20598.8},
      // Two phases and the conductor out and back, 2 × 0.013454 Ω: √3/2 of the three-phase current.
      {"single phase across two lines", bus, 480, false, conductor, 17839.1},
      // One phase, the conductor out and back: |0.02 + j0.013| = 0.023854 Ω at 277 V.
      {"single phase line to neutral", bus, 277, false, conductor, 11612.4},
      // 0.020736 Ω of winding; out and back 0.04 + j0.01: |0.04 + j0.030736| at 240 V.
      {"a single-phase transformer's line to line", *terminals, 240, false, {0.02, 0.005}, 4757.7},
      // A third of the winding, j0.006912 Ω, and out and back: |0.04 + j0.016912| at 120 V.
      {"a single-phase transformer's line to neutral", *terminals, 120, false, {0.02, 0.005}, 2763.2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto end =
        AlongConductors(row.supply, ConnectionTo(row.supply, row.volts, row.threePhase), row.volts, row.conductor);
    ASSERT_TRUE(end);
    EXPECT_NEAR(FaultAmperes(*end), row.amperes, 0.05);
  }
}

TEST(FaultCurrentRules, WhatAPointCannotFeed) {
  const FaultPoint singlePhaseSource = SourcePoint(240, false, 10000, std::nullopt);
  const FaultPoint threePhaseSource = SourcePoint(480, true, 30000, std::nullopt);
  EXPECT_FALSE(AlongConductors(singlePhaseSource, Connection::ThreePhase, 240, {0.01, 0}));
  // A single-phase source gives no line-to-neutral figure of its own.
  EXPECT_FALSE(AlongConductors(singlePhaseSource, Connection::LineToNeutral, 120, {0.01, 0}));
  EXPECT_FALSE(SecondaryTerminals(singlePhaseSource, {75, 3, std::nullopt}, 208, true));
  // A single-phase transformer across two lines of a three-phase source: 2 × 0.0092376 Ω × (240 / 480)²
  // = 0.0046188 Ω beside the winding's 0.020736 Ω, 240 / 0.0253548 = 9,465.7 A line to line, and
  // 1.5 × that, 14,198.5 A, line to neutral.
  const auto across = SecondaryTerminals(threePhaseSource, {50, 2, std::nullopt}, 240, false);
  ASSERT_TRUE(across);
  EXPECT_NEAR(240 / std::abs(across->z), 9465.7, 0.05);
  EXPECT_NEAR(FaultAmperes(*across), 14198.5, 0.05);
  // An all-reactance source has no X/R at its own terminals.
  EXPECT_FALSE(XOverR(threePhaseSource));
  // The handbook's 4 × 1,804 A = 7,216 A of motors on the 1500 kVA transformer.
  EXPECT_EQ(MotorContribution(1804), 7216);
}

}  // namespace
}  // namespace quillet
