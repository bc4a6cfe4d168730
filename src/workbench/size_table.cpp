#include "workbench/size_table.h"

#include <algorithm>

#include "core/numbers.h"
#include "core/result_captions.h"
#include "core/tables.h"
#include "schedule/feeder_engine.h"
#include "schedule/load_rollup.h"
#include "workbench/design_words.h"

namespace quillet {
namespace {

constexpr int kFirstParallelArea = kFirstParallelCopper;  // 1/0 AWG
constexpr int kNextSizeUpLimit = 800;                     // 240.4(B) up to here, 240.4(C) above

int FirstArea(const FeederInputs& inputs) {
  if (inputs.runs > 1) return kFirstParallelArea;
  return inputs.aluminium ? 1 : 0;  // the aluminium list starts at 12 AWG
}

const DropTexts& DropCaptions(const FeederInputs& inputs) { return inputs.dc ? kDcDrop : kAcDrop; }

SizeRow RowFor(FeederEngine& engine, const FeederInputs& inputs, int area) {
  FeederInputs sized = inputs;
  sized.areaIndex = area;
  const FeederResult result = engine.Evaluate(sized);
  SizeRow row;
  row.area = area;
  row.size = SizeName(area);
  if (!result.numbers || !result.design) return row;
  const FeederNumbers& n = *result.numbers;
  row.ampacity = AmpacityCaption(n.ampacity, inputs.ambientC);
  row.shownAmpacity = n.ampacity;
  row.design = result.design;
  row.designAmpacity = AmpacityCaption(result.design->designAmpacity, inputs.ambientC);
  row.drop = DropVoltsCaption(DropCaptions(inputs), n.drop.volts, n.drop.percent);
  row.dropPercent = DropPercentCaption(DropCaptions(inputs), n.drop.percent);
  row.withinLimit = WithinDropLimit(inputs, n.drop.percent);
  return row;
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

std::string Conductor(const FeederInputs& inputs, int area) {
  const std::string size = ConductorText(area, inputs.aluminium);
  if (inputs.runs == 1) return size;
  return std::to_string(inputs.runs) + " parallel runs of " + size;
}

std::string DropWords(const FeederInputs& inputs) { return inputs.dc ? "the DC voltage drop" : "the voltage drop"; }

// Currents and drops in a sentence are written as the table writes them.
std::string ShownCurrent(double amperes, int ambientC) { return FormatPattern(amperes, AmperesPattern(ambientC)) + " A"; }

FigureWriters ShownFigures(const FeederInputs& inputs) {
  const int ambient = inputs.ambientC;
  return {[ambient](double amperes) { return ShownCurrent(amperes, ambient); },
          [ambient](float amperes) { return AmpacityCaption(amperes, ambient); },
          [](float percent) { return FormatPattern(percent, PercentPattern(percent)) + " %"; }};
}

std::string AmpacityShare(const FeederInputs& inputs, const SizeRow& row) {
  return row.designAmpacity + " ≥ " + ShownCurrent(row.design->basis.designCurrent, inputs.ambientC);
}

std::string ProtectionShare(const SizeRow& row) {
  const std::string device = RatingText(*row.design->basis.device);
  if (row.design->protection == Protection::NextSizeUp) return row.designAmpacity + ", next size up " + device;
  return row.designAmpacity + " ≥ " + device;
}

std::string DropShare(const FeederInputs& inputs, const SizeRow& row) {
  return row.dropPercent + " ≤ " + PlainDecimalText(inputs.maxVdPercent) + " %";
}

// Which rule held the size below the answer's size for ampacity short, with
// what the answer's size shows against it.
struct Reason {
  std::string noun;
  bool plural = false;
  std::string rule;  // the code's section, or none
  std::string share;
};

Reason WhyAmpacity(const FeederInputs& inputs, const SizeRow& below, const SizeRow& answer) {
  if (!below.design) return {"the ampacity", false, "", AmpacityShare(inputs, answer)};
  const FeederDesign& d = *below.design;
  const DesignBasis& b = d.basis;
  // The size below would have done without the adjustment: the adjustment
  // left it short of the current or of the device.
  const bool adjusted = d.designAmpacity < d.unadjustedAmpacity;
  if (adjusted && EnoughAmpacity(b, d.unadjustedAmpacity, below.area, inputs.aluminium)) {
    const bool shortOfCurrent = static_cast<double>(d.designAmpacity) < b.designCurrent;
    return {"the adjustment for " + std::to_string(b.currentCarrying) + " current-carrying conductors", false,
            "310.15(C)(1), " + std::to_string(b.adjustmentPercent) + " %",
            shortOfCurrent ? AmpacityShare(inputs, answer) : ProtectionShare(answer)};
  }
  // Otherwise the rule that held it short holds it short without the adjustment too.
  const bool carries = static_cast<double>(d.unadjustedAmpacity) >= b.designCurrent;
  // Carrying the current, the size below was left unprotected: above 800 A
  // the ampacity must reach the device.
  if (carries && !b.motor && b.device)
    return {"the " + RatingText(*b.device) + " device", false,
            *b.device > kNextSizeUpLimit ? "240.4(C)" : "240.4(B)", ProtectionShare(answer)};
  if (!carries && static_cast<double>(below.shownAmpacity) >= b.designCurrent)
    return {"the " + std::to_string(b.terminalC) + " °C terminals", true, "110.14(C)", AmpacityShare(inputs, answer)};
  if (b.motor) return {"the motor's 125 %", false, "430.22", AmpacityShare(inputs, answer)};
  return {"the ampacity", false, "", AmpacityShare(inputs, answer)};
}

std::string Grounds(const Reason& r) { return (r.rule.empty() ? "" : r.rule + ": ") + r.share; }

std::string AnswerSentence(const FeederInputs& inputs, const FeederResult& result, const SizeTable& table) {
  const SizeRow& answer = table.rows[static_cast<std::size_t>(table.answerRow)];
  const std::string conductor = Conductor(inputs, answer.area);
  const std::string drop = DropShare(inputs, answer);
  if (answer.area == FirstArea(inputs))
    return conductor + ": the smallest size meets both limits (" + AmpacityShare(inputs, answer) + "; " + drop + ").";
  if (result.sizedBy == SizedBy::VoltageDrop)
    return conductor + ": " + DropWords(inputs) + " governs (" + drop + "); the ampacity alone needs " +
           SizeName(*result.areaForAmpacity) + ".";
  const SizeRow& below = table.rows[static_cast<std::size_t>(*result.areaForAmpacity - 1 - FirstArea(inputs))];
  const Reason why = WhyAmpacity(inputs, below, answer);
  if (*result.areaForAmpacity == *result.areaForVd)
    return conductor + ": " + why.noun + " and " + DropWords(inputs) + " both need this size (" + Grounds(why) + "; " +
           drop + ").";
  return conductor + ": " + why.noun + (why.plural ? " govern (" : " governs (") + Grounds(why) + "); " +
         DropWords(inputs) + " alone needs " + SizeName(*result.areaForVd) + ".";
}

// The load, the device, the terminals and the answer's grounding conductor.
std::string DesignLine(const FeederInputs& inputs, const FeederResult& result, const SizeTable& table) {
  const auto designed = std::find_if(table.rows.begin(), table.rows.end(), [](const SizeRow& r) { return r.design; });
  if (designed == table.rows.end()) return "";
  const DesignBasis& b = designed->design->basis;
  if (!b.device) return "No standard overcurrent device reaches " + AmperesText(b.deviceNeeds) + ".";
  const std::string load =
      result.numbers ? "Load " + KvaText(OwnServed(inputs, true, result.numbers->current).calculatedVa) + ", o" : "O";
  std::string line = load + "vercurrent device " + RatingText(*b.device) + ", terminals " +
                     std::to_string(b.terminalC) + " °C, grounding conductor ";
  if (table.answerRow < 0) return line + "for a size that fits.";
  const FeederDesign& answer = *table.rows[static_cast<std::size_t>(table.answerRow)].design;
  line += ConductorText(*answer.egcArea, inputs.aluminium);
  if (answer.egcUpsized) line += " (upsized)";
  if (inputs.runs > 1) line += " in each raceway";
  return line + ".";
}

// The answer's set with its neutral and grounding conductor in its raceway,
// or the engine's word on why no raceway holds it.
std::string ConductorSetLine(const FeederResult& result, const SizeTable& table) {
  if (table.answerRow < 0) return "";
  const RacewayFit& fit = table.rows[static_cast<std::size_t>(table.answerRow)].design->raceway;
  const std::string set = "Conductor set: " + ConductorSetText(fit);
  return fit.tradeSize ? set + "." : set + "; " + result.note + ".";
}

}  // namespace

SizeTable BuildSizeTable(FeederInputs inputs) {
  inputs.areaIndex.reset();
  SizeTable table;
  FeederEngine engine;
  const FeederResult result = engine.Evaluate(inputs);
  if (result.error) {
    table.sentence = "The main window's inputs cannot be sized: " + result.error->reason + ".";
    return table;
  }
  table.answerArea = result.areaUsed;
  const int last = result.areaUsed ? std::min(*result.areaUsed + 1, kSizeCount - 1) : kSizeCount - 1;
  for (int area = FirstArea(inputs); area <= last; ++area) {
    table.rows.push_back(RowFor(engine, inputs, area));
    if (area == result.areaUsed) table.answerRow = static_cast<int>(table.rows.size()) - 1;
  }
  const bool answered = table.answerRow >= 0 && table.rows[static_cast<std::size_t>(table.answerRow)].design;
  if (!answered) table.answerRow = -1;
  table.sentence = answered       ? AnswerSentence(inputs, result, table)
                   : result.noFit ? Capitalised(NoFitWords(inputs, *result.noFit, ShownFigures(inputs))) + "."
                                  : Capitalised(result.note) + ".";
  table.design = DesignLine(inputs, result, table);
  table.conductorSet = ConductorSetLine(result, table);
  return table;
}

namespace {

std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

std::string Protected(const SizeRow& r) {
  if (!r.design) return "";
  switch (r.design->protection) {
    case Protection::Full: return "yes";
    case Protection::NextSizeUp: return "next size up";
    case Protection::None: return "no";
    case Protection::MotorCircuit: return "240.4(G)";
  }
  return "";
}

struct SizeColumn {
  const char* heading;
  std::string (*cell)(const SizeRow&);
};

const SizeColumn kSizeColumns[] = {
    {"Size", [](const SizeRow& r) { return r.size; }},
    {"Ampacity", [](const SizeRow& r) { return r.ampacity; }},
    {"Design ampacity", [](const SizeRow& r) { return r.designAmpacity; }},
    {"Protected", Protected},
    {"Drop", [](const SizeRow& r) { return r.drop; }},
    {"Drop %", [](const SizeRow& r) { return r.dropPercent; }},
    {"Ampacity ok", [](const SizeRow& r) { return YesNo(r.design && r.design->enough); }},
    {"Drop ok", [](const SizeRow& r) { return YesNo(r.withinLimit); }},
};

}  // namespace

int SizeTableSource::RowCount() const { return static_cast<int>(table.rows.size()); }
int SizeTableSource::ColumnCount() const { return static_cast<int>(std::size(kSizeColumns)); }
std::string SizeTableSource::Heading(int column) const { return kSizeColumns[static_cast<std::size_t>(column)].heading; }
std::string SizeTableSource::Cell(int row, int column) const {
  return kSizeColumns[static_cast<std::size_t>(column)].cell(table.rows[static_cast<std::size_t>(row)]);
}

}  // namespace quillet
