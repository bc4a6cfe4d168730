#include "workbench/design_report.h"

#include "core/numbers.h"
#include "core/result_captions.h"
#include "schedule/columns.h"
#include "schedule/feeder_engine.h"
#include "schedule/window_feeder.h"
#include "workbench/design_words.h"

namespace quillet {
namespace {

std::string DesignCurrentWords(const DesignBasis& b, double loadCurrent) {
  if (b.motor) return AmperesText(b.designCurrent) + ", 125 % of the motor's " + AmperesText(loadCurrent) + " (430.22)";
  return AmperesText(b.designCurrent) + ", the load current taken as non-continuous (215.2(A)(1))";
}

// Where the size is too small, the one the design needs.
std::string NeededSize(const FeederDesign& d, const FeederResult& result, const FeederInputs& inputs) {
  if (d.check != DeviceCheck::ConductorTooSmall || !result.areaForAmpacity) return "";
  return "; " + ConductorText(*result.areaForAmpacity, inputs.aluminium) + " would do";
}

std::string PercentText(double percent) { return FormatPattern(percent, PercentPattern(percent)) + " %"; }

// Every conductor of the feeder, as an inspector counts them: "2 sets of
// 3 × 2/0 AWG Cu + 1 × 6 AWG Cu EGC, one set per raceway".
std::string ConductorSetWords(const FeederDesign& d, const FeederInputs& inputs, int area) {
  const char* metal = inputs.aluminium ? " Al" : " Cu";
  std::string set = std::to_string(inputs.singlePhase ? 2 : 3) + " × " + SizeName(area) + metal;
  set += d.egcArea ? " + 1 × " + SizeName(*d.egcArea) + metal + " EGC" : ", no grounding conductor without a device";
  if (inputs.runs == 1) return set;
  return std::to_string(inputs.runs) + " sets of " + set + ", one set per raceway";
}

// One line: passes, or each check that fails, as the schedule's Check
// column judges the same feeder.
std::string VerdictWords(const FeederResult& result, double limit) {
  EvaluatedRow row;
  row.result = result;
  row.maxVdPercent = limit;
  row.limited = true;
  const double drop = result.numbers->drop.percent;
  const std::string judged = PercentText(drop) + (drop > limit ? " drop is above the " : " drop is within the ") +
                             PlainDecimalText(limit) + " % limit";
  std::string fails;
  for (RowCheck check : FailedChecks(row)) {
    fails += fails.empty() ? "Fails: " : "; ";
    switch (check) {
      case RowCheck::Ampacity: fails += "the ampacity is short of the current"; break;
      case RowCheck::DropLimit: fails += "the " + judged; break;
      case RowCheck::Protection: fails += "the device does not protect the conductor"; break;
      case RowCheck::TotalDrop:
      case RowCheck::Load:
      case RowCheck::Error: break;
    }
  }
  return fails.empty() ? "Passes: the ampacity and the protection hold, and the " + judged + "." : fails + ".";
}

}  // namespace

ReportSection DesignSection(const Elcal& w, double dropLimitPercent) {
  FeederInputs inputs = FeederFromWindow(w);
  inputs.maxVdPercent = dropLimitPercent;
  const FeederResult result = EvaluateFeeder(inputs);
  ReportSection section{"Design", {}};
  // The window's own size is given, so a feeder the window takes is designed.
  if (result.error) {
    section.rows.push_back({"", "No design for these inputs: " + result.error->reason + "."});
    return section;
  }
  const FeederDesign& d = *result.design;
  const double current = result.numbers->current;
  section.rows = {
      {"Design current", DesignCurrentWords(d.basis, current)},
      {"Overcurrent device", DeviceWords(d.basis, current)},
      {"Terminal rating", TerminalWords(d.basis)},
      {"Design ampacity", AmpacityCaption(d.designAmpacity, inputs.ambientC) + ", " + DeviceCheckWords(d) +
                              NeededSize(d, result, inputs)},
      {"Grounding conductor", GroundingWords(d, inputs)},
      {"Conductor set", ConductorSetWords(d, inputs, *result.areaUsed)},
      {"Drop limit", PlainDecimalText(dropLimitPercent) + " % of the supply voltage (the size finder's limit)"},
      {"Verdict", VerdictWords(result, dropLimitPercent)},
  };
  return section;
}

}  // namespace quillet
