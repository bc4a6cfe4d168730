// The engine's answers for feeders a designer knows by heart, the size
// finder's choices and the values the window would refuse.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/program.h"
#include "core/numbers.h"
#include "fresh_folder.h"
#include "schedule/feeder_engine.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

constexpr int k14 = 0, k12 = 1, k3 = 6, k1 = 8, k1_0 = 9, k2_0 = 10;

FeederInputs Feeder(const std::string& volts, const std::string& amperes, const std::string& length) {
  FeederInputs f;
  f.voltage = volts;
  f.loadText = amperes;
  f.length = length;
  return f;
}

FeederInputs With(FeederInputs f, const std::function<void(FeederInputs&)>& change) {
  change(f);
  return f;
}

TEST(FeederEngine, GivesTheWorkedExampleOfTheWindow) {
  // Metric, copper, 75 °C, PVC, 12 AWG, one run, 1 phase 120 V, 16 A, PF 1, 30 m.
  const FeederResult r = EvaluateFeeder(With(Feeder("120", "16", "30"), [](FeederInputs& f) {
    f.singlePhase = true;
    f.pvc = true;
    f.areaIndex = k12;
  }));
  ASSERT_FALSE(r.error);
  const FeederNumbers& n = *r.numbers;
  EXPECT_EQ(r.sizedBy, SizedBy::Given);
  EXPECT_EQ(FormatPattern(n.vdAc, "#0.00"), "6.21");
  EXPECT_EQ(FormatPattern(n.vdAcPercent, "#0.00"), "5.17");
  EXPECT_EQ(n.areaMm2, 3.3086753f);
  EXPECT_TRUE(n.perKm);
  ASSERT_TRUE(n.vdDc);  // 1 phase at PF 1 shows the DC drop
  EXPECT_EQ(n.ampacity, 25.0f);
  EXPECT_EQ(n.check, AmpacityCheck::Ok);
  EXPECT_FALSE(n.vdAlt);
  // The exact drop is never below the window's, and at PF 1 hardly above it.
  ASSERT_TRUE(n.vdExactPercent);
  EXPECT_GE(*n.vdExactPercent, n.vdAcPercent);
  EXPECT_LT(*n.vdExactPercent, n.vdAcPercent * 1.01f);
}

TEST(FeederEngine, ShowsWhatTheWindowShowsForEachKindOfFeeder) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    std::function<void(const FeederNumbers&)> check;
  } rows[] = {
      {"3 phase shows no DC drop", With(Feeder("480", "50", "100"), [](FeederInputs& f) { f.areaIndex = 5; }),
       [](const FeederNumbers& n) { EXPECT_FALSE(n.vdDc); }},
      {"1 phase below PF 1 shows no DC drop",
       With(Feeder("240", "50", "100"), [](FeederInputs& f) { f.singlePhase = true, f.pfOption = 4, f.areaIndex = 5; }),
       [](const FeederNumbers& n) { EXPECT_FALSE(n.vdDc); }},
      {"feet give values per 1000 ft",
       With(Feeder("480", "50", "100"), [](FeederInputs& f) { f.feet = true, f.areaIndex = 5; }),
       [](const FeederNumbers& n) { EXPECT_FALSE(n.perKm); }},
      {"a 3 phase 10 HP motor at 480 V draws 14 A",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.load = LoadKind::Motor, f.areaIndex = 3; }),
       [](const FeederNumbers& n) { EXPECT_EQ(n.current, 14.0); }},
      {"a 1 phase 1/2 HP motor at 120 V draws 9.8 A",
       With(Feeder("120", "1/2", "50"),
            [](FeederInputs& f) { f.singlePhase = true, f.load = LoadKind::Motor, f.areaIndex = 3; }),
       [](const FeederNumbers& n) { EXPECT_EQ(n.current, 9.8); }},
      {"a 40 °C ambient corrects the ampacity by 0.88",
       With(Feeder("480", "50", "50"), [](FeederInputs& f) { f.ambientC = 40, f.areaIndex = 3; }),
       [](const FeederNumbers& n) {
         EXPECT_EQ(n.ambientFactor, 0.88f);
         EXPECT_EQ(n.ampacity, 44.0f);
         EXPECT_EQ(n.check, AmpacityCheck::Over100);
       }},
      {"22 A on 12 AWG is over 80 %",
       With(Feeder("480", "22", "50"), [](FeederInputs& f) { f.areaIndex = k12; }),
       [](const FeederNumbers& n) { EXPECT_EQ(n.check, AmpacityCheck::Over80); }},
      {"24 times the ampacity melts copper",
       With(Feeder("480", "480", "50"), [](FeederInputs& f) { f.areaIndex = k14; }),
       [](const FeederNumbers& n) { EXPECT_FALSE(n.operatingTempC); }},
      {"a set temperature of 60 °C",
       With(Feeder("480", "20", "50"), [](FeederInputs& f) { f.wireTempC = 60, f.areaIndex = k12; }),
       [](const FeederNumbers& n) { EXPECT_EQ(n.wireTempC, 60.0f); }},
      {"a 90 °C rating at 85 °C ambient",
       With(Feeder("480", "20", "50"), [](FeederInputs& f) { f.insulationC = 90, f.ambientC = 85, f.areaIndex = k12; }),
       [](const FeederNumbers& n) { EXPECT_EQ(n.ambientFactor, 0.29f); }},
      {"user parameters give the alternate drop",
       With(Feeder("480", "100", "100"),
            [](FeederInputs& f) { f.userR = "0.5", f.userX = "0.05", f.pfOption = 1, f.areaIndex = k3; }),
       [](const FeederNumbers& n) { EXPECT_TRUE(n.vdAlt && *n.vdAlt > 0); }},
      {"two runs halve the drop and double the ampacity",
       With(Feeder("480", "300", "100"), [](FeederInputs& f) { f.runs = 2, f.areaIndex = k1_0; }),
       [](const FeederNumbers& n) { EXPECT_EQ(n.ampacity, 300.0f); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FeederResult r = EvaluateFeeder(row.feeder);
    ASSERT_FALSE(r.error) << r.error->reason;
    row.check(*r.numbers);
  }
}

TEST(SizeFinder, PicksTheSmallestSizeAndSaysWhatGoverned) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    int used;
    SizedBy sizedBy;
  } rows[] = {
      {"100 A: a 100 A device, 60 °C terminals, 1 AWG's 110 A", Feeder("480", "100", "50"), k1, SizedBy::Ampacity},
      {"continuous 100 A: 125 A, a 125 A device, 75 °C, 1 AWG's 130 A",
       With(Feeder("480", "100", "50"), [](FeederInputs& f) { f.continuous = true; }), k1, SizedBy::Ampacity},
      {"150 A at 40 °C: 1/0 150 × 0.88 = 132 A, 2/0 154 A",
       With(Feeder("480", "150", "50"), [](FeederInputs& f) { f.ambientC = 40; }), k2_0, SizedBy::Ampacity},
      {"a light load starts copper at 14 AWG", Feeder("480", "5", "10"), k14, SizedBy::Ampacity},
      {"aluminium starts at 12 AWG", With(Feeder("480", "5", "10"), [](FeederInputs& f) { f.aluminium = true; }), k12,
       SizedBy::Ampacity},
      {"parallel runs start at 1/0", With(Feeder("480", "50", "10"), [](FeederInputs& f) { f.runs = 2; }), k1_0,
       SizedBy::Ampacity},
      {"16 A at 120 V over 300 ft: the drop governs",
       With(Feeder("120", "16", "300"), [](FeederInputs& f) { f.singlePhase = true, f.feet = true; }), -1,
       SizedBy::VoltageDrop},
      {"a DC feeder is held to its DC drop",
       With(Feeder("48", "60", "20"), [](FeederInputs& f) { f.singlePhase = f.dc = true; }), -1, SizedBy::VoltageDrop},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FeederResult r = EvaluateFeeder(row.feeder);
    ASSERT_FALSE(r.error) << r.error->reason;
    EXPECT_EQ(r.sizedBy, row.sizedBy);
    ASSERT_TRUE(r.areaUsed && r.areaForAmpacity && r.areaForVd);
    if (row.used >= 0) {
      EXPECT_EQ(*r.areaUsed, row.used);
    }
    EXPECT_EQ(*r.areaUsed, std::max(*r.areaForAmpacity, *r.areaForVd));
    // The size used meets both limits; the one below it does not.
    EXPECT_TRUE(r.design->enough);
    EXPECT_LE(r.numbers->drop.percent, row.feeder.maxVdPercent);
    const int smallest = row.feeder.runs > 1 ? k1_0 : (row.feeder.aluminium ? k12 : k14);
    if (*r.areaUsed > smallest) {
      const FeederResult below = EvaluateFeeder(With(row.feeder, [&](FeederInputs& f) { f.areaIndex = *r.areaUsed - 1; }));
      EXPECT_TRUE(!below.design->enough || below.numbers->drop.percent > row.feeder.maxVdPercent);
    }
  }
}

TEST(SizeFinder, SaysWhenNoSizeFitsAndHowManyRunsWould) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    std::string note;
  } rows[] = {
      // Above 800 A the ampacity must reach the device (240.4(C)): 3 × 545 = 1635 A.
      {"1500 A has a 1600 A device and needs three runs", Feeder("480", "1500", "50"),
       "no size fits: 1000 kcmil carries 545 A, the design needs 1600 A; 3 parallel runs would"},
      {"5000 A is beyond six runs", Feeder("480", "5000", "50"),
       "no size fits: 1000 kcmil carries 545 A, the design needs 5000 A; not even 6 parallel runs would"},
      {"a given 700 A device needs more than 600 A", With(Feeder("480", "400", "50"), [](FeederInputs& f) { f.ocpd = 700; }),
       "no size fits: 1000 kcmil carries 545 A, the design needs more than 600 A; 2 parallel runs would"},
      {"the drop of a long run", With(Feeder("480", "400", "2000"), [](FeederInputs& f) { f.feet = true; }),
       "no size fits: 1000 kcmil drops"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FeederResult r = EvaluateFeeder(row.feeder);
    ASSERT_FALSE(r.error) << r.error->reason;
    EXPECT_EQ(r.sizedBy, SizedBy::None);
    EXPECT_FALSE(r.areaUsed);
    EXPECT_FALSE(r.numbers);
    EXPECT_TRUE(r.note.starts_with(row.note)) << r.note;
  }
  const FeederResult drop = EvaluateFeeder(rows[3].feeder);
  EXPECT_EQ(drop.areaForAmpacity, 18);  // a 400 A device: 600 kcmil's 420 A, 500 kcmil has 380 A
  EXPECT_FALSE(drop.areaForVd);
  const FeederResult heavy = EvaluateFeeder(rows[0].feeder);
  EXPECT_FALSE(heavy.areaForAmpacity);
  EXPECT_TRUE(heavy.areaForVd);
}

TEST(FeederEngine, RefusesWhatTheWindowRefusesAndSaysWhy) {
  struct Row {
    const char* name;
    FeederInputs feeder;
    Column column;
    std::string reason;
  } rows[] = {
      {"length of 100,000", With(Feeder("480", "10", "150000"), [](FeederInputs& f) { f.areaIndex = 3; }),
       Column::Length, "the window says \"Sorry you are out of this calculator range\""},
      {"resistance above 12",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.userR = "15", f.userX = "0.1", f.areaIndex = 3; }),
       Column::UserR, "the window says \"Please insert resistance value in the 0.001 to 12 range\""},
      {"reactance above 1",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.userR = "1", f.userX = "1.5", f.areaIndex = 3; }),
       Column::UserX, "the window says \"Please insert reactance value in the 0.001 to 1 range\""},
      {"current above 100,000,000 A",
       With(Feeder("480", "200000000", "50"), [](FeederInputs& f) { f.areaIndex = 3; }), Column::Current,
       "the window says \"Sorry you are out of this calculator range\""},
      {"power of 10^12 W",
       With(Feeder("480", "1000000000000", "50"), [](FeederInputs& f) { f.load = LoadKind::Power, f.areaIndex = 3; }),
       Column::Power, "the window says \"Sorry you are out of this calculator range\""},
      {"an ambient outside the 60 °C chain",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.insulationC = 60, f.ambientC = 60, f.areaIndex = 3; }),
       Column::Ambient, "the 60 °C rating's chain runs 10 … 55 °C"},
      {"an ambient that is no bound",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.ambientC = 42, f.areaIndex = 3; }), Column::Ambient,
       "the 75 °C rating's chain runs 10 … 70 °C"},
      {"a set temperature above the rating",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.wireTempC = 80, f.areaIndex = 3; }), Column::WireTemp,
       "a multiple of 5 from the ambient 30 °C up to the 75 °C rating"},
      {"a set temperature below the ambient",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.ambientC = 40, f.wireTempC = 35, f.areaIndex = 3; }),
       Column::WireTemp, "a multiple of 5 from the ambient 40 °C up to the 75 °C rating"},
      {"a horsepower the list lacks",
       With(Feeder("480", "4", "50"), [](FeederInputs& f) { f.load = LoadKind::Motor, f.areaIndex = 3; }),
       Column::MotorHp,
       "the 3-phase list has 1/2, 3/4, 1, 1.5, 2, 3, 5, 7.5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 125, 150, 200 HP"},
      {"a 3 phase horsepower on 1 phase",
       With(Feeder("240", "200", "50"),
            [](FeederInputs& f) { f.singlePhase = true, f.load = LoadKind::Motor, f.areaIndex = 3; }),
       Column::MotorHp, "the 1-phase list has 1/6, 1/4, 1/3, 1/2, 3/4, 1, 1.5, 2, 3, 5, 7.5, 10 HP"},
      {"a motor current the window shows as .0",
       With(Feeder("400000", "1/2", "50"), [](FeederInputs& f) { f.load = LoadKind::Motor, f.areaIndex = 3; }),
       Column::MotorHp, "the window shows 0 A here and computes nothing"},
      {"parallel runs of a small size",
       With(Feeder("480", "10", "50"), [](FeederInputs& f) { f.runs = 2, f.areaIndex = 4; }), Column::Runs,
       "parallel runs need a size from 1/0 AWG up, the size is 6 AWG"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FeederResult r = EvaluateFeeder(row.feeder);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->column, row.column);
    EXPECT_EQ(r.error->reason, row.reason);
    EXPECT_FALSE(r.numbers);
  }
}

// The start-up the engine relies on: the default settings, metric, and the
// program folder left alone.
TEST(StartWithoutSettingsFile, AppliesTheDefaultsAndTouchesNoFile) {
  struct NoFile : ScriptedServices {
    using ScriptedServices::ScriptedServices;
    bool KeepsSettingsFile() override { return false; }
  };
  const FreshFolder folder;
  NoFile services(folder.Text());
  Program program(services, 28800, 16200);
  program.Start();
  EXPECT_TRUE(services.shown.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_EQ(program.main.CmdUnit.Caption(), "m");
  EXPECT_EQ(program.main.CmdDeg.Caption(), "°C");
  EXPECT_EQ(program.main.state.LengthFactor, 1.0f);
  EXPECT_EQ(program.main.state.HoursPerDay, 24.0f);
  EXPECT_EQ(program.main.state.CostPerKWh, 0.1f);
}

TEST(SizeName, SpellsAwgAndKcmil) {
  EXPECT_EQ(SizeName(0), "14 AWG");
  EXPECT_EQ(SizeName(9), "1/0 AWG");
  EXPECT_EQ(SizeName(13), "250 kcmil");
  EXPECT_EQ(SizeName(20), "1000 kcmil");
}

}  // namespace
}  // namespace quillet
