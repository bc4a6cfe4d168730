#include "workbench/design_report.h"

#include "core/result_captions.h"
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

}  // namespace

ReportSection DesignSection(const Elcal& w) {
  const FeederInputs inputs = FeederFromWindow(w);
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
  };
  return section;
}

}  // namespace quillet
