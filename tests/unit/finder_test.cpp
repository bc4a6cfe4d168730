// The size finder against the main window: every row of its table must be
// what the main window shows once that size is picked, and the marked row
// must be the first that meets both limits.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/elcal.h"
#include "fresh_folder.h"
#include "platform/grid.h"
#include "schedule/feeder_engine.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

// The table's columns the main window also shows, and the two limits.
constexpr int kAmpacity = 1, kDrop = 4, kDropPercent = 5, kAmpacityOk = 6, kDropOk = 7;

struct FinderCase {
  const char* name;
  std::vector<std::string> setup;  // driver commands on the main window, then the finder
};

const FinderCase kCases[] = {
    {"DropGovernsALongCopperFeeder", {"type A \"\\b\\b\\b\\b100\"", "type L \"\\b\\b100\""}},
    {"AmpacityGovernsAShortHeavyFeeder", {"type A \"\\b\\b\\b\\b200\""}},
    {"AluminiumInAHotAmbient",
     {"click OptAL", "type V \"\\b\\b\\b480\"", "type A \"\\b\\b\\b\\b150\"", "type L \"\\b\\b40\"", "click AmbCmnd",
      "click AmbCmnd"}},
    {"SinglePhaseInPvcInFeet",
     {"click SPh", "click OptNONM", "click CmdUnit", "type A \"\\b\\b\\b\\b45\"", "type L \"\\b\\b\\b\\b250\""}},
    {"SixtyDegreeRatingAtPowerFactor08",
     {"click Opt60C", "click OptPF08", "type A \"\\b\\b\\b\\b60\"", "type L \"\\b\\b75\""}},
    {"PowerTypedUnderThePowerLock", {"type W \"\\b\\b\\b\\b\\b\\b\\b\\b30000\"", "type L \"\\b\\b60\""}},
    {"ContinuousLoadWithATightLimit",
     {"type A \"\\b\\b\\b\\b80\"", "type L \"\\b\\b50\"", "tick", "shortcut Ctrl+F", "click Finder.Continuous",
      "type Finder.Limit \"\\b2\""}},
    {"TwoRunsOfAHeavyFeeder",
     {"type A \"\\b\\b\\b\\b400\"", "type L \"\\b\\b80\"", "tick", "shortcut Ctrl+F", "select Finder.Runs 1"}},
    {"ADcFeeder",
     {"click SPh", "click OptPF1", "type V \"\\b\\b\\b48\"", "type A \"\\b\\b\\b\\b60\"", "type L \"\\b\\b20\"", "tick",
      "shortcut Ctrl+F", "click Finder.DcFeeder"}},
    {"AMotorFromTheList", {"type V \"\\b\\b\\b480\"", "tick", "select ComHP 17", "type L \"\\b\\b60\""}},
    {"NonlinearLoadsWhoseAdjustmentGoverns",
     {"type V \"\\b\\b\\b480\"", "type A \"\\b\\b\\b\\b200\"", "type L \"\\b\\b50\"", "click Opt90C", "tick",
      "shortcut Ctrl+F", "click Finder.Nonlinear"}},
};

class FinderTest : public ::testing::TestWithParam<FinderCase> {
 protected:
  void SetUp() override { workbench_.program.Start(); }

  void Run(const std::string& line) { runner_.RunLine(line); }
  Elcal& Main() { return workbench_.program.main; }

  static int AreaOf(const std::string& sizeName) {
    for (int area = 0; area < 21; ++area)
      if (SizeName(area) == sizeName) return area;
    return -1;
  }

  FreshFolder folder_;
  ScriptedServices services_{folder_.Text()};
  Workbench workbench_{services_, 28800, 16200};
  std::ostringstream out_;
  ScriptRunner runner_{workbench_.program, services_, out_};
};

TEST_P(FinderTest, EveryRowIsWhatTheMainWindowShowsForThatSize) {
  for (const std::string& line : GetParam().setup) Run(line);
  Run("tick 2");
  if (!workbench_.finder.Shown()) Run("shortcut Ctrl+F");
  const Grid& sizes = workbench_.finder.Sizes;
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < sizes.Source()->RowCount(); ++r) rows.push_back(GridRow(sizes, r));
  const int marked = sizes.Marked();
  const int runs = workbench_.finder.Runs.ListIndex() + 1;
  const bool dc = workbench_.finder.DcFeeder.Value() != 0;
  ASSERT_GE(marked, 0) << workbench_.finder.Answer.Caption();

  // The engine searches; the rows are each size on its own: they must agree.
  for (int i = 0; i < marked; ++i)
    EXPECT_FALSE(rows[i][kAmpacityOk] == "yes" && rows[i][kDropOk] == "yes") << rows[i][0] << " meets both, above the answer";
  EXPECT_EQ(rows[marked][kAmpacityOk], "yes");
  EXPECT_EQ(rows[marked][kDropOk], "yes");
  EXPECT_TRUE(marked + 2 == static_cast<int>(rows.size()) || rows.back()[0] == "1000 kcmil");

  Run("click Finder.UseSize");
  Run("tick 2");
  EXPECT_EQ(Main().state.Runs, runs);
  const int firstArea = Main().OptAL.Value() ? 1 : 0;
  for (const std::vector<std::string>& row : rows) {
    SCOPED_TRACE(row[0]);
    Run("select ComWS " + std::to_string(AreaOf(row[0]) - firstArea));
    Run("tick 2");
    EXPECT_EQ(Main().Ampacit.Caption(), row[kAmpacity]);
    EXPECT_EQ((dc ? Main().VDC : Main().VDACL).Caption(), row[kDrop]);
    EXPECT_EQ((dc ? Main().VDCPER : Main().VDACPRCL).Caption(), row[kDropPercent]);
  }
}

INSTANTIATE_TEST_SUITE_P(Feeders, FinderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
