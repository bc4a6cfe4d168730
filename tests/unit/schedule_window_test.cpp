// The schedule window against the schedule tool and the main window: the
// same file gives the same output, and a row opened in the calculator shows
// the row's numbers whatever the window showed before. (The load ratio, a
// long file and "Add this feeder": the schedule_* scenarios.)
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

}  // namespace
}  // namespace quillet
