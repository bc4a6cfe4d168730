// What goes in each raceway, each row worked by hand from NEC 2023: the
// current-carrying conductors of 310.15(E) and (F), the adjustment of Table
// 310.15(C)(1), the neutral a feeder gets and where 220.61(C) keeps it
// full, and the trade size from the areas of Chapter 9 Tables 4 and 5
// filled to Table 1's percent.
#include <gtest/gtest.h>

#include "design/raceway.h"

namespace quillet {
namespace {

constexpr int k14 = 0, k12 = 1, k8 = 3, k6 = 4, k4 = 5, k3 = 6, k2 = 7, k1 = 8, k1_0 = 9, k2_0 = 10, k3_0 = 11,
              k4_0 = 12, k300 = 14, k500 = 17, k750 = 19, k1000 = 20;

constexpr Supply kWye480{.threePhase = true, .dc = false, .volts = 480};
constexpr Supply kWye208{.threePhase = true, .dc = false, .volts = 208};
constexpr Supply kDelta240{.threePhase = true, .dc = false, .volts = 240};
constexpr Supply kSingle120{.threePhase = false, .dc = false, .volts = 120};
constexpr Supply kSingle240{.threePhase = false, .dc = false, .volts = 240};
constexpr Supply kSingle208{.threePhase = false, .dc = false, .volts = 208};
constexpr Supply kSingle24{.threePhase = false, .dc = false, .volts = 24};
constexpr Supply kDc48{.threePhase = false, .dc = true, .volts = 48};

constexpr Neutral kNone{};
constexpr Neutral kFull{NeutralKind::Full};
constexpr Neutral Reduced(int area) { return {NeutralKind::Reduced, area}; }

Wiring Wires(Supply supply, Neutral neutral, bool nonlinear = false, Raceway raceway = Raceway::Emt, int sets = 1,
             WireType wire = WireType::Thhn) {
  return {.supply = supply, .wire = wire, .raceway = raceway, .neutral = neutral, .nonlinear = nonlinear, .sets = sets};
}

TEST(RacewayRules, TheCurrentCarryingConductorsAndTheirAdjustment) {
  struct Row {
    const char* name;
    Wiring wiring;
    int currentCarrying, percent;
  } rows[] = {
      {"480Y/277, full neutral, linear loads: the neutral carries the unbalance", Wires(kWye480, kFull), 3, 100},
      {"480Y/277, full neutral, mostly nonlinear: the neutral counts (310.15(E)(3))",
       Wires(kWye480, kFull, true), 4, 80},
      {"a reduced neutral counts the same", Wires(kWye480, Reduced(k2_0), true), 4, 80},
      {"three-wire 480 V, nonlinear: no neutral to count", Wires(kWye480, kNone, true), 3, 100},
      {"120 V: the neutral is one of the two", Wires(kSingle120, kFull), 2, 100},
      {"120/240 V three-wire: the neutral carries the unbalance (310.15(E)(1))", Wires(kSingle240, kFull), 2, 100},
      {"two phases and the neutral of 208Y/120: it counts (310.15(E)(2))", Wires(kSingle208, kFull), 3, 100},
      {"two phases of 208Y/120 without a neutral", Wires(kSingle208, kNone), 2, 100},
      {"DC: two conductors", Wires(kDc48, kNone), 2, 100},
      {"parallel sets: each raceway holds one", Wires(kWye480, kFull, true, Raceway::Emt, 4), 4, 80},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CurrentCarrying(row.wiring), row.currentCarrying);
    EXPECT_EQ(AdjustmentPercent(CurrentCarrying(row.wiring)), row.percent);
  }
}

TEST(RacewayRules, TableOf310_15C1) {
  struct Row {
    int conductors, percent;
  } rows[] = {{1, 100}, {3, 100}, {4, 80}, {6, 80}, {7, 70}, {9, 70}, {10, 50}, {20, 50},
              {21, 45}, {30, 45}, {31, 40}, {40, 40}, {41, 35}, {90, 35}};
  for (const Row& row : rows) EXPECT_EQ(AdjustmentPercent(row.conductors), row.percent) << row.conductors;
}

TEST(RacewayRules, TheNeutralAFeederHasUnlessItSaysOtherwise) {
  struct Row {
    const char* name;
    Supply supply;
    LoadClass loadClass;
    bool feedsOthers;
    Neutral neutral;
  } rows[] = {
      {"a panel on 480Y/277", kWye480, LoadClass::Motor, true, kFull},
      {"lighting at 277 V", {false, false, 277}, LoadClass::Lighting, false, kFull},
      {"receptacles at 120 V", kSingle120, LoadClass::Receptacle, false, kFull},
      {"any other load on 208Y/120", kWye208, LoadClass::Other, false, kFull},
      {"a 120/240 V sub-panel's other load", kSingle240, LoadClass::Other, false, kFull},
      {"a motor", kWye480, LoadClass::Motor, false, kNone},
      {"heating", kWye208, LoadClass::Heating, false, kNone},
      {"kitchen equipment", kWye208, LoadClass::Kitchen, false, kNone},
      {"a 240 V three-phase delta has no neutral", kDelta240, LoadClass::Other, true, kNone},
      {"24 V control has no neutral", kSingle24, LoadClass::Other, false, kNone},
      {"DC has no neutral", kDc48, LoadClass::Lighting, false, kNone},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DefaultNeutral(row.supply, row.loadClass, row.feedsOthers), row.neutral);
  }
}

TEST(RacewayRules, WhereTheNeutralIsRefused) {
  struct Row {
    const char* name;
    Wiring wiring;
    const char* refusal;  // a part of it; "" when allowed
  } rows[] = {
      {"480Y/277 linear loads: 220.61(B) may reduce it", Wires(kWye480, Reduced(k2_0)), ""},
      {"120/240 V: may be reduced", Wires(kSingle240, Reduced(k4)), ""},
      {"nonlinear loads on a wye", Wires(kWye480, Reduced(k2_0), true), "220.61(C)(2)"},
      {"two phases and the neutral of a wye", Wires(kSingle208, Reduced(k4)), "220.61(C)(1)"},
      {"a 120 V two-wire feeder", Wires(kSingle120, Reduced(k14)), "carries the whole load"},
      {"DC, full", Wires(kDc48, kFull), "no neutral"},
      {"parallel sets below 1/0", Wires(kWye480, Reduced(k2), false, Raceway::Emt, 2), "310.10(G)(1)"},
      {"parallel sets at 1/0", Wires(kWye480, Reduced(k1_0), false, Raceway::Emt, 2), ""},
      {"a full neutral on two phases of a wye", Wires(kSingle208, kFull), ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto refusal = NeutralRefusal(row.wiring);
    if (*row.refusal == '\0') {
      EXPECT_FALSE(refusal) << *refusal;
    } else {
      ASSERT_TRUE(refusal);
      EXPECT_NE(refusal->find(row.refusal), std::string::npos) << *refusal;
    }
  }
}

// Areas from Table 5 (THHN unless said), raceways from Table 4.
TEST(RacewayRules, TheSmallestRacewayThatHoldsASet) {
  struct Row {
    const char* name;
    Wiring wiring;
    int area;
    std::optional<int> ground;
    bool aluminium;
    int conductors;
    std::int64_t areaUnits;  // 0.0001 in²
    std::optional<int> tradeSize;
    float fillPercent;
    const char* text;
  } rows[] = {
      {"200 A, 3/0 and a full neutral: 4 × 0.2679 + 6 AWG 0.0507 = 1.1223 in²; 2\" EMT holds 40 % × 3.356 = "
       "1.3424 in²",
       Wires(kWye480, kFull), k3_0, k6, false, 5, 11223, 5, 1.1223f / 3.356f * 100, "4 #3/0 + 1 #6 G, 2\" EMT"},
      {"the same nonlinear, on 4/0: 4 × 0.3237 + 0.0507 = 1.3455 in², 0.0031 over 2\"; 2-1/2\" EMT",
       Wires(kWye480, kFull, true), k4_0, k6, false, 5, 13455, 6, 1.3455f / 5.858f * 100,
       "4 #4/0 + 1 #6 G, 2-1/2\" EMT"},
      {"3/0 in PVC Schedule 80: 1-1/2\" holds 0.6844 in², 2\" 1.1496 in²",
       Wires(kWye480, kFull, false, Raceway::Pvc80), k3_0, k6, false, 5, 11223, 5, 1.1223f / 2.874f * 100,
       "4 #3/0 + 1 #6 G, 2\" PVC Sch 80"},
      {"two sets of 500 kcmil, 1/0 G: 4 × 0.7073 + 0.1855 = 3.0147 in² each; 3\" EMT holds 3.5384 in²",
       Wires(kWye480, kFull, false, Raceway::Emt, 2), k500, k1_0, false, 5, 30147, 7, 3.0147f / 8.846f * 100,
       "2 sets of (4 #500 kcmil + 1 #1/0 G), 3\" EMT each"},
      {"4/0 with a 2/0 neutral and 4 G: 3 × 0.3237 + 0.2223 + 0.0824 = 1.2758 in²; 2\" EMT",
       Wires(kWye480, Reduced(k2_0)), k4_0, k4, false, 5, 12758, 5, 1.2758f / 3.356f * 100,
       "3 #4/0 + 1 #2/0 N + 1 #4 G, 2\" EMT"},
      {"a neutral reduced to the phase size is full: 4 × 0.3237 + 0.0824 = 1.3772 in², over 2\" EMT",
       Wires(kWye480, Reduced(k4_0)), k4_0, k4, false, 5, 13772, 6, 1.3772f / 5.858f * 100,
       "4 #4/0 + 1 #4 G, 2-1/2\" EMT"},
      {"aluminium, 120/240 V: 3 × 300 kcmil + 1 AWG, XHHW: 3 × 0.4536 + 0.1534 = 1.5142 in²; 2-1/2\" PVC40 "
       "holds 1.878 in²",
       Wires(kSingle240, kFull, false, Raceway::Pvc40, 1, WireType::Xhhw), k300, k1, true, 4, 15142, 6,
       1.5142f / 4.695f * 100, "3 #300 kcmil AL + 1 #1 AL G, 2-1/2\" PVC Sch 40"},
      {"120 V, 12 AWG: 3 × 0.0133 = 0.0399 in²; 1/2\" EMT", Wires(kSingle120, kFull), k12, k12, false, 3, 399, 0,
       0.0399f / 0.304f * 100, "2 #12 + 1 #12 G, 1/2\" EMT"},
      {"RHW with its covering, 8 AWG: 4 × 0.0835 = 0.334 in²; 3/4\" IMC holds 0.2344 in², 1\" 0.3836 in²",
       Wires(kWye480, kNone, false, Raceway::Imc, 1, WireType::Rhw), k8, k8, false, 4, 3340, 2, 0.334f / 0.959f * 100,
       "3 #8 + 1 #8 G, 1\" IMC"},
      {"two conductors, no grounding conductor: 31 %: 2 × 0.0097 = 0.0194 in² in 1/2\" EMT's 0.09424",
       Wires(kDc48, kNone), k14, std::nullopt, false, 2, 194, 0, 0.0194f / 0.304f * 100, "2 #14, 1/2\" EMT"},
      {"1000 kcmil with a full neutral and 1 AWG G in IMC: 4 × 1.3478 + 0.1562 = 5.5474 in², over 4\" IMC's "
       "5.4524: none",
       Wires(kWye480, kFull, false, Raceway::Imc), k1000, k1, false, 5, 55474, std::nullopt, 0,
       "4 #1000 kcmil + 1 #1 G"},
      {"the same in EMT: 4\" holds 5.9012 in²", Wires(kWye480, kFull), k1000, k1, false, 5, 55474, 9,
       5.5474f / 14.753f * 100, "4 #1000 kcmil + 1 #1 G, 4\" EMT"},
      {"RHW 750 kcmil and a full neutral in EMT: 5 × 1.4272 = 7.136 in²: none", Wires(kWye480, kFull, false,
       Raceway::Emt, 3, WireType::Rhw), k750, k750, false, 5, 71360, std::nullopt, 0,
       "3 sets of (4 #750 kcmil + 1 #750 kcmil G)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RacewayFit fit = FitRaceway(row.wiring, row.area, row.ground, row.aluminium);
    EXPECT_EQ(fit.conductors, row.conductors);
    EXPECT_EQ(fit.area, row.areaUnits);
    EXPECT_EQ(fit.tradeSize, row.tradeSize);
    EXPECT_NEAR(fit.fillPercent, row.fillPercent, 1e-4);
    EXPECT_EQ(ConductorSetText(fit), row.text);
  }
}

TEST(RacewayRules, ASetNoRacewayHoldsSaysByHowMuch) {
  const RacewayFit fit = FitRaceway(Wires(kWye480, kFull, false, Raceway::Imc), k1000, k1, false);
  EXPECT_EQ(NoRacewayWords(fit),
            "no raceway holds a set: its 5 conductors take 5.5474 in², 40 % of the largest IMC (trade size 4) is "
            "5.4524 in²");
}

TEST(RacewayRules, Table1ByTheNumberOfConductors) {
  EXPECT_EQ(FillLimitPercent(1), 53);
  EXPECT_EQ(FillLimitPercent(2), 31);
  EXPECT_EQ(FillLimitPercent(3), 40);
  EXPECT_EQ(FillLimitPercent(9), 40);
}

}  // namespace
}  // namespace quillet
