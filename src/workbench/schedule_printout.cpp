#include "workbench/schedule_printout.h"

#include "report/calculation_report.h"
#include "workbench/schedule_model.h"

namespace quillet {
namespace {

constexpr char kRowHeading[] = "Row";
constexpr char kOkMeaning[] = "OK: the row passes every check below.";
constexpr char kGroundingMeaning[] =
    "Grounding conductor: Table 250.122 for the device, upsized with the feeder where it is larger than "
    "its ampacity needs (250.122(B)), one in each raceway for parallel runs (250.122(F)).";
constexpr char kConductorSetMeaning[] =
    "Conductor set: each parallel set in a raceway of its own, the phase conductors with a full-size neutral, a "
    "reduced neutral (N) and the grounding conductor (G), in the smallest trade size of Chapter 9 Table 4 that holds "
    "their Table 5 areas at the fill of Table 1 (40 % for more than two conductors).";

constexpr char kLoadMeaning[] =
    "Load: the calculated load of what the row serves (Article 220): its own, or for a row whose load is left blank, "
    "that of the rows it feeds (215.2(A)(1)).";
constexpr char kLengthMeaning[] = "Length: one way, from the supply to the load end. Drop: the row's own; Total drop: "
                                  "from the top of its path.";

constexpr char kFaultColumn[] = "isc_ka";

bool BlankInEveryRow(const ScheduleModel& model, const ScheduleColumn& column) {
  for (std::size_t r = 0; r < model.RowCount(); ++r)
    if (!model.Cell(r, column).empty()) return false;
  return true;
}

// In the window's order: the tag, the Check column, the file's columns and
// the results a designer checks (a flat schedule leaves out the tree's,
// which repeat the drop), less any column blank in every row but the tag.
std::vector<ScheduleColumn> PrintedColumns(const ScheduleModel& model) {
  using Kind = ScheduleColumn::Kind;
  const auto results = ResultColumns();
  const bool tree = model.HasTree();
  std::vector<ScheduleColumn> columns;
  for (const ScheduleColumn& c : model.Arranged(model.View())) {
    const bool checked = c.kind != Kind::Result || results[c.index].printed || (tree && results[c.index].printedInTree);
    if (checked && (c.kind == Kind::Check || columns.empty() || !BlankInEveryRow(model, c))) columns.push_back(c);
  }
  return columns;
}

// The fault current is marked with the date it was worked out on.
std::optional<std::string> FaultMeaning(const ScheduleModel& model, const std::string& date) {
  const auto column = model.ColumnNamed(kFaultColumn);
  if (!column || BlankInEveryRow(model, model.ColumnAt(*column))) return std::nullopt;
  return "Fault current: the available symmetrical fault current at the row's load end (Fault at supply: at its "
         "supply end), motors included, by the impedance method from the source and transformer data given, "
         "calculated " + date + " (110.24(A): the service equipment is marked with it and this date; 110.9, 110.10).";
}

std::vector<std::string> Legend(const ScheduleModel& model, const std::string& date) {
  std::vector<std::string> legend = {kOkMeaning};
  for (const RowCheckInfo& check : RowChecks()) legend.push_back(std::string(check.word) + ": " + check.meaning + ".");
  legend.push_back(kGroundingMeaning);
  legend.push_back(kConductorSetMeaning);
  if (const auto fault = FaultMeaning(model, date)) legend.push_back(*fault);
  return legend;
}

}  // namespace

SchedulePrintout BuildSchedulePrintout(const ScheduleModel& model, const std::string& job, const std::string& date) {
  SchedulePrintout out;
  out.job = job;
  out.date = date;
  const std::vector<ScheduleColumn> columns = PrintedColumns(model);
  out.headings.push_back(kRowHeading);
  for (const ScheduleColumn& c : columns) {
    if (c.kind == ScheduleColumn::Kind::Check) out.checkColumn = out.headings.size();
    out.headings.push_back(model.Heading(c));
  }
  for (std::size_t r = 0; r < model.RowCount(); ++r) {
    std::vector<std::string> cells = {std::to_string(r + 1)};
    for (const ScheduleColumn& c : columns) cells.push_back(model.Cell(r, c));
    out.marked.push_back(model.Tone(r, ScheduleColumn{ScheduleColumn::Kind::Check, 0}) == CellTone::Bad);
    out.rows.push_back(std::move(cells));
  }
  out.markMeaning = "A marked row fails a check or cannot be evaluated.";
  out.legend = Legend(model, date);
  return out;
}

SchedulePrintout BuildDrawingPrintout(const ScheduleModel& model, const std::string& job, const std::string& date) {
  SchedulePrintout out;
  out.job = job;
  out.date = date;
  out.drawing = BuildDrawingSchedule(model);
  out.markMeaning = "A tinted row fails a check or cannot be evaluated; the figure the check judges is in red.";
  out.legend = {kLoadMeaning, kLengthMeaning};
  for (std::string& entry : Legend(model, date)) out.legend.push_back(std::move(entry));
  return out;
}
std::string SchedulePdfName(const SchedulePrintout& printout) {
  const std::size_t dot = printout.job.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? printout.job : printout.job.substr(0, dot);
  return SuggestedPdfName(stem, kNewScheduleName);
}

}  // namespace quillet
