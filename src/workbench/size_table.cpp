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

int FirstArea(const FeederInputs& inputs) {
  if (inputs.runs > 1) return kFirstParallelArea;
  return inputs.aluminium ? 1 : 0;  // the aluminium list starts at 12 AWG
}

SizeRow RowFor(const FeederInputs& inputs, int area) {
  FeederInputs sized = inputs;
  sized.areaIndex = area;
  const FeederResult result = EvaluateFeeder(sized);
  SizeRow row;
  row.area = area;
  row.size = SizeName(area);
  if (!result.numbers) return row;
  const FeederNumbers& n = *result.numbers;
  row.ampacity = AmpacityCaption(n.ampacity, inputs.ambientC);
  row.drop = DropVoltsCaption(kAcDrop, n.vdAc, n.vdAcPercent);
  row.dropPercent = DropPercentCaption(kAcDrop, n.vdAcPercent);
  row.carries = CarriesLoad(inputs, n.current, n.ampacity);
  row.withinLimit = WithinDropLimit(inputs, n.vdAcPercent);
  return row;
}

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

std::string Conductor(const FeederInputs& inputs, int area) {
  const std::string size = SizeName(area) + (inputs.aluminium ? " aluminium" : " copper");
  if (inputs.runs == 1) return size;
  return std::to_string(inputs.runs) + " parallel runs of " + size;
}

std::string AmpacityShare(const FeederInputs& inputs, const SizeRow& row, double current) {
  return row.ampacity + " ≥ " + FormatPattern(RequiredAmpacity(inputs, current), "#,##0.0") + " A";
}

std::string DropShare(const FeederInputs& inputs, const SizeRow& row) {
  return row.dropPercent + " ≤ " + PlainDecimalText(inputs.maxVdPercent) + " %";
}

std::string AnswerSentence(const FeederInputs& inputs, const FeederResult& result, const SizeRow& answer) {
  const std::string conductor = Conductor(inputs, answer.area);
  const double current = result.numbers ? result.numbers->current : 0;
  const std::string shares = " (" + AmpacityShare(inputs, answer, current) + "; " + DropShare(inputs, answer) + ").";
  if (answer.area == FirstArea(inputs)) return conductor + ": the smallest size meets both limits" + shares;
  if (*result.areaForAmpacity == *result.areaForVd)
    return conductor + ": the ampacity and the voltage drop both need this size" + shares;
  if (result.sizedBy == SizedBy::VoltageDrop)
    return conductor + ": the voltage drop governs (" + DropShare(inputs, answer) + "); the ampacity alone needs " +
           SizeName(*result.areaForAmpacity) + ".";
  return conductor + ": the ampacity governs (" + AmpacityShare(inputs, answer, current) +
         "); the voltage drop alone needs " + SizeName(*result.areaForVd) + ".";
}

}  // namespace

SizeTable BuildSizeTable(FeederInputs inputs) {
  inputs.areaIndex.reset();
  SizeTable table;
  const FeederResult result = EvaluateFeeder(inputs);
  if (result.error) {
    table.sentence = "The main window's inputs cannot be sized: " + result.error->reason + ".";
    return table;
  }
  table.answerArea = result.areaUsed;
  const int last = result.areaUsed ? std::min(*result.areaUsed + 1, kSizeCount - 1) : kSizeCount - 1;
  for (int area = FirstArea(inputs); area <= last; ++area) {
    table.rows.push_back(RowFor(inputs, area));
    if (area == result.areaUsed) table.answerRow = static_cast<int>(table.rows.size()) - 1;
  }
  table.sentence = table.answerRow >= 0
                       ? AnswerSentence(inputs, result, table.rows[static_cast<std::size_t>(table.answerRow)])
                       : Capitalised(result.note) + ".";
  return table;
}

namespace {

std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

struct SizeColumn {
  const char* heading;
  std::string (*cell)(const SizeRow&);
};

const SizeColumn kSizeColumns[] = {
    {"Size", [](const SizeRow& r) { return r.size; }},
    {"Ampacity", [](const SizeRow& r) { return r.ampacity; }},
    {"Drop", [](const SizeRow& r) { return r.drop; }},
    {"Drop %", [](const SizeRow& r) { return r.dropPercent; }},
    {"Ampacity ok", [](const SizeRow& r) { return YesNo(r.carries); }},
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
