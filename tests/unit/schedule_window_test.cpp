// The schedule window against the schedule tool and the main window: the
// same file gives the same output, and a row opened in the calculator shows
// the row's numbers whatever the window showed before.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fresh_folder.h"
#include "schedule/schedule.h"
#include "script/scripted_services.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

class ScheduleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.program.Start();
    bench.schedule.askFileName = [this](FileQuestion, const std::string&) { return nextFile; };
    bench.schedule.Open();
  }

  std::string Write(const std::string& name, const std::string& content) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  void Import(const std::string& path) {
    nextFile = path;
    bench.program.actions.Click(bench.schedule.Import);
    bench.schedule.model.EvaluateAll();
  }
  // With every digit, as the file has it.
  std::string Cell(std::size_t row, const char* column) {
    return s.model.FileCell(row, *s.model.ColumnNamed(column));
  }

  FreshFolder folder;
  ScriptedServices services{folder.Text()};
  Workbench bench{services, 28800, 16200};
  ScheduleWindow& s = bench.schedule;
  Elcal& w = bench.program.main;
  std::string nextFile;
  UserActions& act() { return bench.program.actions; }
};

template <typename T>
T Parsed(const std::string& text) {
  T value{};
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string ToolOutput(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  RunSchedule(in, out, ScheduleDefaults{}, 1);
  return out.str();
}

TEST_F(ScheduleWindowTest, ExportsWhatTheToolWritesForTheSameFile) {
  const struct {
    const char* name;
    std::string content;
  } files[] = {
      {"comma and LF",
       "tag,voltage,current,length,size,note\nA,208,100,30,,kept\nB,480,,50,2,\nC,x,10,10,,\n"},
      {"semicolon, decimal comma, CR LF, BOM",
       "\xEF\xBB\xBFtag;voltage;power;length;unit;max_vd_pct\r\nA;230;1500,5;12,5;m;2,5\r\nB;400;;10;m;\r\n"},
      {"quoted line break",
       "tag,voltage,current,length\n\"two\nlines\",208,10,30\nafter,208,10,-1\n"},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    Import(Write("in.csv", file.content));
    const std::string out = Write("out.csv", "");
    nextFile = out;
    bench.program.actions.Click(s.Export);
    std::ifstream written(out, std::ios::binary);
    std::ostringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str(), ToolOutput(file.content));
    EXPECT_FALSE(std::filesystem::exists(out + ".part"));
  }
}

// The window rounds the ratio to the hundredth; the file keeps every digit.
TEST_F(ScheduleWindowTest, TheLoadRatioShowsToTheHundredthInTheFilesMark) {
  const struct {
    const char* name;
    std::string file;
    const char* shown;
    const char* written;
  } rows[] = {
      {"the example's first row", QUILLET_EXAMPLE_SCHEDULE, "0.71", "0.71428573"},
      {"decimal comma", Write("comma.csv", "tag;voltage;current;length;size\nA;230;12,5;20;12\n"), "0,50", "0,5"},
  };
  for (const auto& row : rows) {
    Import(row.file);
    const std::size_t column = *s.model.ColumnNamed("load_ratio");
    EXPECT_EQ(s.model.Cell(0, column), row.shown) << row.name;
    EXPECT_EQ(s.model.FileCell(0, column), row.written) << row.name;
  }
}

TEST_F(ScheduleWindowTest, ARowOpenedInTheCalculatorShowsTheRowsNumbers) {
  Import(QUILLET_EXAMPLE_SCHEDULE);
  ASSERT_GT(s.model.RowCount(), 20u);
  // Forwards, then backwards: each row starts from what the one before left.
  std::vector<std::size_t> order;
  for (std::size_t r = 0; r < s.model.RowCount(); ++r) order.push_back(r);
  for (std::size_t r = s.model.RowCount(); r-- > 0;) order.push_back(r);
  int opened = 0;
  for (std::size_t row : order) {
    if (s.model.HasError(row)) continue;
    SCOPED_TRACE("row " + std::to_string(row + 1) + " " + Cell(row, "tag"));
    bench.program.actions.SelectCell(s.Feeders, static_cast<int>(row), 0);
    bench.program.actions.Click(s.OpenInCalc);
    EXPECT_EQ(w.state.Current, Parsed<double>(Cell(row, "current_a")));
    // A DC feeder reports the DC drop.
    const bool dc = Cell(row, "system") == "DC";
    EXPECT_EQ(dc ? w.state.VdDc : w.state.VdAc, Parsed<float>(Cell(row, "vd_v")));
    EXPECT_EQ(dc ? w.state.VdDcPercent : w.state.VdAcPercent, Parsed<float>(Cell(row, "vd_pct")));
    EXPECT_EQ(w.state.FeederAmpacity, Parsed<float>(Cell(row, "ampacity_a")));
    EXPECT_EQ(w.state.RacShown, Parsed<float>(Cell(row, "rac")));
    ++opened;
  }
  EXPECT_EQ(opened, 60);
  for (const ShownMessage& m : services.shown) EXPECT_NE(m.title, "Feeder schedule") << m.text;
}

TEST_F(ScheduleWindowTest, AddsTheMainWindowsFeederWithTheWindowsNumbers) {
  UserActions& act = bench.program.actions;
  const auto type = [&](TextBox& box, const std::string& text) {
    act.Focus(box);
    act.SelectText(box, 0, box.Length());
    for (char c : text) act.TypeChar(box, std::string(1, c));
  };
  const struct {
    const char* name;
    std::function<void()> change;
  } states[] = {
      {"start-up defaults", [] {}},
      {"480 V, 120 A, aluminium", [&] { type(w.V, "480"); type(w.A, "120"); act.Click(w.OptAL); }},
      {"single phase, 90 °C, PVC", [&] { act.Click(w.SPh); act.Click(w.Opt90C); act.Click(w.OptNONM); }},
      {"feet and a longer run", [&] { act.Click(w.CmdUnit); type(w.L, "250"); }},
  };
  for (const auto& state : states) {
    SCOPED_TRACE(state.name);
    state.change();
    for (int i = 0; i < 3; ++i) act.Tick(w.Timer1), act.Tick(w.Timer2);
    act.Shortcut(w, "Ctrl+D");
    const std::size_t row = s.model.RowCount() - 1;
    ASSERT_FALSE(s.model.HasError(row)) << s.model.RowError(row);
    EXPECT_EQ(Parsed<float>(Cell(row, "vd_pct")), w.state.VdAcPercent);
    EXPECT_EQ(Parsed<float>(Cell(row, "ampacity_a")), w.state.FeederAmpacity);
    EXPECT_EQ(Cell(row, "sized_by"), "given");
  }
}

TEST_F(ScheduleWindowTest, EvaluatesALongFileInSlicesWithProgress) {
  std::string content = "tag,voltage,current,length\n";
  for (int i = 0; i < 5000; ++i) content += "F" + std::to_string(i) + ",208," + std::to_string(10 + i % 90) + ",30\n";
  nextFile = Write("long.csv", content);
  act().Click(s.Import);
  EXPECT_EQ(s.model.PendingCount(), 5000u);
  EXPECT_TRUE(s.Evaluation.Enabled());
  act().Tick(s.Evaluation);
  const std::size_t left = s.model.PendingCount();
  EXPECT_EQ(left, 5000u - ScheduleWindow::kRowsPerTick);
  EXPECT_EQ(s.Progress.Caption(), "Evaluating: " + std::to_string(5000 - left) + " of 5000 rows");
  EXPECT_TRUE(s.EvaluationBar.Visible());
  EXPECT_EQ(s.EvaluationBar.Value(), static_cast<int>(5000 - left));
  for (int i = 0; i < 1000 && s.Evaluation.Enabled(); ++i) act().Tick(s.Evaluation);
  EXPECT_EQ(s.model.PendingCount(), 0u);
  EXPECT_EQ(s.Progress.Caption(), "5000 feeders: 5000 evaluated, 0 with errors");
  EXPECT_FALSE(s.EvaluationBar.Visible());
}

}  // namespace
}  // namespace quillet
