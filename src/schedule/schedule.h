// A whole schedule: rows read one batch at a time, evaluated on several
// threads, written in input order.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "schedule/feeder_row.h"

namespace quillet {

struct ScheduleSummary {
  long rows = 0;
  long errors = 0;
  std::vector<int> errorLines;  // the first few only
  std::vector<std::string> notes;  // on the columns the schedule does not read

  // "120 feeders: 118 evaluated, 2 with errors (lines 7, 33)"
  std::string Text() const;
};

// One row evaluated as the schedule evaluates it, with its error cell.
EvaluatedRow EvaluateRow(const std::vector<std::string>& cells, int line, const ScheduleLayout& layout,
                         const ScheduleDefaults& defaults, DecimalMark mark);

// The header and one row as the output writes them.
std::vector<std::string> OutputHeader(const std::vector<std::string>& header);
std::vector<std::string> OutputCells(std::vector<std::string> cells, std::size_t width,
                                     const std::vector<std::string>& results);

// Reads the schedule from `in` and writes it with the result columns to
// `out`, the results of an earlier run replaced. The input is read twice,
// first up to the number that shows its decimal mark. Throws CsvError when
// the input is not a usable schedule; `out` may then hold part of the output.
ScheduleSummary RunSchedule(std::istream& in, std::ostream& out, const ScheduleDefaults& defaults, int jobs);

}  // namespace quillet
