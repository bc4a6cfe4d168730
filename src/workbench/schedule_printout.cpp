#include "workbench/schedule_printout.h"

#include "report/calculation_report.h"
#include "workbench/schedule_model.h"

namespace quillet {

SchedulePrintout BuildSchedulePrintout(const ScheduleModel& model, const std::string& job, const std::string& date) {
  SchedulePrintout out;
  out.job = job;
  out.date = date;
  std::vector<std::size_t> columns;
  for (std::size_t c = 0; c < model.InputColumnCount(); ++c) columns.push_back(c);
  // The results a designer checks; the rest stay in the exported file.
  const auto results = ResultColumns();
  const bool tree = model.HasTree();
  for (std::size_t r = 0; r < results.size(); ++r)
    if (results[r].printed || (tree && results[r].printedInTree)) columns.push_back(model.InputColumnCount() + r);
  for (std::size_t c : columns) out.headings.push_back(model.Heading(c));
  for (std::size_t r = 0; r < model.RowCount(); ++r) {
    std::vector<std::string> cells;
    for (std::size_t c : columns) cells.push_back(model.Cell(r, c));
    out.rows.push_back(std::move(cells));
  }
  return out;
}

std::string SchedulePdfName(const SchedulePrintout& printout) {
  const std::size_t dot = printout.job.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? printout.job : printout.job.substr(0, dot);
  return SuggestedPdfName(stem, kNewScheduleName);
}

}  // namespace quillet
