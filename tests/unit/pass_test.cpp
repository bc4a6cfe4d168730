// The recalculation pass through a started window: display thresholds,
// colours and the guards a wrong digit would slip past.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/ambient.h"
#include "core/recalculation.h"
#include "core/shown_state.h"
#include "started_program.h"

namespace quillet {
namespace {

using PassTest = StartedProgram;

TEST_F(PassTest, DropCaptionsFollowTheirThresholds) {
  struct Row {
    const char* name;
    const char* length;
    const char* volts;
    const char* percent;
  } rows[] = {
      // 14 AWG copper, steel, 208 V three-phase, 10 A: 10.278 ohm/km, 0.17802 V per metre.
      {"two decimals below 10 V", "10", "1.78 V", "0.86 %"},
      {"one decimal from 10 V", "100", "17.8 V", "8.56 %"},
      {"percent one decimal from 10 %", "150", "26.7 V", "12.8 %"},
      {"grouped whole volts from 50 V", "300", "53 V", "25.7 %"},
      {"too high from 30 %", "400", "-", "To high %"},
      {"no number counts as 0", "1/2", "0.00 V", "0.00 %"},
  };
  for (const Row& row : rows) {
    w.L.SetText(row.length);
    Tick();
    EXPECT_EQ(w.VDACL.Caption(), row.volts) << row.name;
    EXPECT_EQ(w.VDACPRCL.Caption(), row.percent) << row.name;
  }
  EXPECT_EQ(w.L.Text(), "0");
}

TEST_F(PassTest, AcDropTurnsRedAboveSevenHundredVoltsOrWithParallelRuns) {
  struct Row {
    const char* name;
    const char* voltage;
    int size;
    const char* runs;
    Colour colour;
  } rows[] = {
      {"700 V one run", "700", 0, "OptionNOR1", kBlack},
      {"700.5 V", "700.5", 0, "OptionNOR1", kRed},
      {"two runs of 1/0", "208", 9, "OptionNOF2", kRed},
      {"8 AWG forces one run", "208", 3, "OptionNOF2", kBlack},
  };
  for (const Row& row : rows) {
    w.V.SetText(row.voltage);
    w.ComWS.SetListIndex(row.size);
    Tick();
    static_cast<OptionButton*>(w.Find(row.runs))->SetValue(true);
    Tick();
    EXPECT_EQ(w.VDACL.ForeColor(), row.colour) << row.name;
    EXPECT_EQ(w.VDACPRCL.ForeColor(), row.colour) << row.name;
  }
}

TEST_F(PassTest, ZeroCurrentKeepsTheLastResults) {
  Tick();
  const std::string volts = w.VDACL.Caption();
  const float drop = w.state.VdAc;
  w.A.SetText("0");
  w.L.SetText("200");
  Tick();
  EXPECT_EQ(w.VDACL.Caption(), volts);
  EXPECT_EQ(w.state.VdAc, drop);
}

TEST_F(PassTest, AluminiumReadsItsOwnRows) {
  w.OptAL.SetValue(true);
  struct Row {
    int index;
    const char* ampacity;
    const char* area;
  } rows[] = {{0, "20 A", "Cross-section = 3.31 mm²"}, {19, "445 A", "Cross-section = 507 mm²"}};
  for (const Row& row : rows) {
    w.ComWS.SetListIndex(row.index);
    Tick();
    EXPECT_EQ(w.Ampacit.Caption(), row.ampacity) << row.index;
    EXPECT_EQ(w.WireArea.Caption(), row.area) << row.index;
  }
  EXPECT_EQ(w.state.AreaIndex, 20);
  EXPECT_EQ(w.state.NextAreaMm2, 1.0f);
}

TEST_F(PassTest, ExactlyEightyAndHundredPercentStayOnTheLowerSide) {
  w.ComWS.SetListIndex(1);  // 12 AWG copper, 25 A
  struct Row {
    const char* current;
    Colour colour;
  } rows[] = {{"20", kDarkGreen}, {"25", kWindowText}, {"25.01", kRed}};
  for (const Row& row : rows) {
    w.A.SetText(row.current);
    Tick();
    EXPECT_EQ(w.Ampacit.ForeColor(), row.colour) << row.current;
  }
}

TEST_F(PassTest, ImperialValuesDifferByTheFactorPerThousandFeet) {
  w.ComWS.SetListIndex(12);
  Tick();
  const float metricZ = w.state.ZShown;
  SetLengthUnit(w, LengthSystem::Imperial);
  Tick();
  EXPECT_NEAR(static_cast<double>(metricZ) / w.state.ZShown, 3.280848, 1e-5);
  EXPECT_EQ(w.state.ResistanceUnit, " Ohm/1000ft");
}

TEST_F(PassTest, NonFiniteResultStopsThePassAndLeavesTheRestAsItWas) {
  Tick();
  const std::string impedance = w.ImedanceZ.Caption();
  w.state.AmbientFactor = 0;  // no ampacity: the load ratio has no value
  w.L.SetText("200");
  Tick();
  EXPECT_EQ(w.ImedanceZ.Caption(), impedance);
  EXPECT_EQ(w.VDACL.Caption().find("nan"), std::string::npos);
  EXPECT_EQ(w.VDACL.Caption().find("inf"), std::string::npos);
}

TEST(StartUp, UnwritableFolderKeepsTheRestoredValuesAndStarts) {
  ScriptedServices services("/nonexistent/quillet");
  Program program(services, 28800, 16200);
  program.Start();
  ASSERT_EQ(services.shown.size(), 1u);
  EXPECT_EQ(services.shown[0].title, "Invalid Initialization file");
  EXPECT_EQ(program.main.CmdUnit.Caption(), "m");
  EXPECT_EQ(program.main.state.HoursPerDay, 24.0f);
  program.actions.Tick(program.main.Timer1);
  EXPECT_EQ(program.main.VDACL.Caption(), "1.78 V");
}

TEST_F(PassTest, OnlyANormalWindowTakesTheHeightOfTheStatusPanelSetting) {
  w.state.HideStatusPanel = 1;
  for (WindowState state : {WindowState::Minimised, WindowState::Maximised}) {
    w.SetState(state);
    Tick();
    EXPECT_EQ(w.Height(), kHeightWithStatus);
    EXPECT_FALSE(w.Stat.Visible());
  }
  w.SetState(WindowState::Normal);
  Tick();
  EXPECT_EQ(w.Height(), kHeightWithoutStatus);
}

TEST_F(PassTest, TheCloseBoxOfTheMainWindowClosesTheWindowsItOpened) {
  program.actions.Click(w.CmdAbout);
  program.actions.Click(w.Command2);
  program.actions.CloseWindow(w);
  EXPECT_FALSE(w.Shown());
  EXPECT_FALSE(program.about.Shown());
  EXPECT_FALSE(program.effcon.Shown());
}

// The schedule's ambient lists and the engine's messages take the chains
// from the table; they must be the bounds the button really walks through.
TEST_F(PassTest, AmbientChainsAreTheBoundsTheButtonWalksThrough) {
  struct Row {
    OptionButton& rating;
    int ratingC;
  } rows[] = {{w.Opt60C, 60}, {w.Opt75C, 75}, {w.Opt90C, 90}};
  for (const Row& row : rows) {
    program.actions.Click(row.rating);
    std::vector<int> walked = {w.state.AmbientC};
    for (int click = 0; click < 20; ++click) {
      program.actions.Click(w.AmbCmnd);
      if (w.state.AmbientC == walked.front()) break;
      walked.push_back(w.state.AmbientC);
    }
    std::sort(walked.begin(), walked.end());
    EXPECT_EQ(AmbientChain(row.ratingC), walked) << row.ratingC;
  }
}

}  // namespace
}  // namespace quillet
