#include "workbench/size_table.h"

#include <algorithm>

#include "core/elcal_state.h"
#include "core/numbers.h"
#include "core/result_captions.h"
#include "core/tables.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

constexpr int kFirstParallelArea = kFirstParallelCopper;  // 1/0 AWG

int FirstArea(const FeederSpec& spec) {
  if (spec.runs > 1) return kFirstParallelArea;
  return spec.aluminium ? 1 : 0;  // the aluminium list starts at 12 AWG
}

SizeRow RowFor(const FeederSpec& spec, int area) {
  FeederSpec sized = spec;
  sized.areaIndex = area;
  const FeederResult result = EvaluateFeeder(sized);
  SizeRow row;
  row.area = area;
  row.size = SizeName(area);
  if (!result.numbers) return row;
  const FeederNumbers& n = *result.numbers;
  row.ampacity = AmpacityCaption(n.ampacity, spec.ambientC);
  row.drop = AcDropVoltsCaption(n.vdAc, n.vdAcPercent);
  row.dropPercent = AcDropPercentCaption(n.vdAcPercent);
  row.carries = CarriesLoad(spec, n.current, n.ampacity);
  row.withinLimit = WithinDropLimit(spec, n.vdAcPercent);
  return row;
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

std::string Conductor(const FeederSpec& spec, int area) {
  const std::string size = SizeName(area) + (spec.aluminium ? " aluminium" : " copper");
  if (spec.runs == 1) return size;
  return std::to_string(spec.runs) + " parallel runs of " + size;
}

std::string AmpacityShare(const FeederSpec& spec, const SizeRow& row, double current) {
  return row.ampacity + " ≥ " + FormatPattern(RequiredAmpacity(spec, current), "#,##0.0") + " A";
}

std::string DropShare(const FeederSpec& spec, const SizeRow& row) {
  return row.dropPercent + " ≤ " + PlainDecimalText(spec.maxVdPercent) + " %";
}

std::string AnswerSentence(const FeederSpec& spec, const FeederResult& result, const SizeRow& answer) {
  const std::string conductor = Conductor(spec, answer.area);
  const double current = result.numbers ? result.numbers->current : 0;
  const std::string shares = " (" + AmpacityShare(spec, answer, current) + "; " + DropShare(spec, answer) + ").";
  if (answer.area == FirstArea(spec)) return conductor + ": the smallest size meets both limits" + shares;
  if (*result.areaForAmpacity == *result.areaForVd)
    return conductor + ": the ampacity and the voltage drop both need this size" + shares;
  if (result.sizedBy == SizedBy::VoltageDrop)
    return conductor + ": the voltage drop governs (" + DropShare(spec, answer) + "); the ampacity alone needs " +
           SizeName(*result.areaForAmpacity) + ".";
  return conductor + ": the ampacity governs (" + AmpacityShare(spec, answer, current) +
         "); the voltage drop alone needs " + SizeName(*result.areaForVd) + ".";
}

}  // namespace

SizeTable BuildSizeTable(FeederSpec spec) {
  spec.areaIndex.reset();
  SizeTable table;
  const FeederResult result = EvaluateFeeder(spec);
  if (result.error) {
    table.sentence = "The main window's inputs cannot be sized: " + result.error->reason + ".";
    return table;
  }
  table.answerArea = result.areaUsed;
  const int last = result.areaUsed ? std::min(*result.areaUsed + 1, kSizeCount - 1) : kSizeCount - 1;
  for (int area = FirstArea(spec); area <= last; ++area) {
    table.rows.push_back(RowFor(spec, area));
    if (area == result.areaUsed) table.answerRow = static_cast<int>(table.rows.size()) - 1;
  }
  table.sentence = table.answerRow >= 0
                       ? AnswerSentence(spec, result, table.rows[static_cast<std::size_t>(table.answerRow)])
                       : Capitalised(result.note) + ".";
  return table;
}

std::vector<std::string> SizeRowCells(const SizeRow& row) {
  return {row.size, row.ampacity, row.drop, row.dropPercent, row.carries ? "yes" : "no",
          row.withinLimit ? "yes" : "no"};
}

}  // namespace quillet
