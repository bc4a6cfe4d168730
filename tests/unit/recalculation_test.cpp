// The pass's numbers for another size, worked on a copy of the state,
// against the window itself spun to that size and ticked: every number the
// same, and nothing of the window changed by them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/elcal.h"
#include "core/recalculation.h"
#include "core/tables.h"
#include "started_program.h"
#include "script/script_runner.h"
#include "state_text.h"

namespace quillet {
namespace {

// Every number of the state: its texts are the window's to write.
std::vector<std::string> Differences(ElcalState numbers, ElcalState shown) {
  std::vector<std::string> differences;
  const std::vector<StateField> a = StateFields(numbers), b = StateFields(shown);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::holds_alternative<std::string*>(a[i].ref)) continue;
    const std::string left = FieldText(a[i].ref), right = FieldText(b[i].ref);
    if (left != right) differences.push_back(std::string(a[i].name) + ": " + left + " against " + right);
  }
  return differences;
}

struct PassCase {
  const char* name;
  std::vector<std::string> setup;  // driver commands on the main window
  std::vector<std::string> unticked = {};  // then, at the largest size, with no tick after
};

const PassCase kCases[] = {
    {"TheStartUpFeeder", {}},
    {"AluminiumInPvcSinglePhase", {"click OptAL", "click OptNONM", "click SPh", "type A \"\\b\\b\\b\\b45\""}},
    {"FeetAndFahrenheitAtPf08", {"click CmdUnit", "click CmdDeg", "click OptPF08", "type L \"\\b\\b\\b\\b250\""}},
    {"ADcFeeder", {"click SPh", "type V \"\\b\\b\\b48\"", "type A \"\\b\\b\\b\\b60\"", "type L \"\\b\\b20\""}},
    {"TheUsersOwnRAndX", {"type TextACR \"0.3\"", "type TextXLR \"0.05\"", "type L \"\\b\\b300\""}},
    {"AMotorFromTheList", {"type V \"\\b\\b\\b480\"", "tick", "select ComHP 17", "type L \"\\b\\b60\""}},
    {"PowerUnderThePowerLock", {"type W \"\\b\\b\\b\\b\\b\\b\\b\\b30000\"", "type L \"\\b\\b60\"", "tick"}},
    {"AWireThatMelts", {"type A \"\\b\\b\\b\\b900\""}},
    {"ALengthThatIsNoNumber", {}, {"type L \".\""}},
    {"AHotAmbientAtSixtyDegrees", {"click Opt60C", "click AmbCmnd", "click AmbCmnd", "spindown WOTPS"}},
    {"ThreeParallelRuns", {"select ComWS 12", "tick", "click OptionNOF3", "type A \"\\b\\b\\b\\b700\""}},
};

class PassNumbers : public StartedProgram, public ::testing::WithParamInterface<PassCase> {
 protected:
  std::ostringstream out;
  ScriptRunner runner{program, services, out};
};

TEST_P(PassNumbers, AreWhatTheWindowShowsAtEverySize) {
  for (const std::string& line : GetParam().setup) runner.RunLine(line);
  Tick();
  Tick();
  const int last = w.ComWS.ListCount() - 1;
  while (w.state.SizeIndex < last) program.actions.SpinDown(w.VDPS);
  Tick();
  for (const std::string& line : GetParam().unticked) runner.RunLine(line);
  const bool parallel = w.state.Runs > 1;
  int compared = 0;
  for (int index = last; index >= 0; --index) {
    SCOPED_TRACE("size list item " + std::to_string(index));
    ElcalState numbers = w.state;
    const WindowValues before = w.Values();
    const bool computed = RecalculateNumbers(w, index, numbers);
    EXPECT_TRUE(w.Values() == before) << "the window changed";
    while (w.state.SizeIndex > index) program.actions.SpinUp(w.VDPS);
    // Parallel runs below 1/0 are the window's to end, with a click.
    if (parallel && w.state.AreaIndex <= kFirstParallelCopper) {
      EXPECT_FALSE(computed);
      break;
    }
    Tick();
    ASSERT_TRUE(computed);
    EXPECT_EQ(Differences(numbers, w.state), std::vector<std::string>{});
    ++compared;
  }
  EXPECT_GE(compared, parallel ? 10 : 20);
}

INSTANTIATE_TEST_SUITE_P(Feeders, PassNumbers, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
