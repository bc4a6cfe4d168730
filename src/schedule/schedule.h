// A whole schedule: the rows read once and kept aside in a temporary file,
// evaluated as a distribution tree (each supply before the rows it feeds,
// the rows of a level on several threads), written in input order.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "schedule/distribution_tree.h"
#include "schedule/feeder_row.h"
#include "schedule/load_rollup.h"

namespace quillet {

class FeederEngine;

struct ScheduleSummary {
  long rows = 0;
  long errors = 0;
  std::vector<int> errorLines;  // the first few only
  std::vector<std::string> notes;  // on the columns the schedule does not read
  const char* placedBy = "line";   // what errorLines count: the file's lines, or a window's rows

  // "120 feeders: 118 evaluated, 2 with errors (lines 7, 33)"
  std::string Text() const;
};

// One row evaluated as the schedule evaluates it, with its error cell, on
// the path its supply leaves it, with the load the rows it feeds give it,
// through the engine's calculator.
EvaluatedRow EvaluateRow(FeederEngine& engine, const std::vector<std::string>& cells, int line,
                         const ScheduleLayout& layout, const ScheduleDefaults& defaults, DecimalMark mark,
                         const SupplyPath& path = {}, const RowLoad* load = nullptr);

// The row's load current as the window finds it for one unit, where its
// supply's load needs it.
UnitCurrent UnitCurrentOf(FeederEngine& engine, const std::vector<std::string>& cells, int line,
                          const ScheduleLayout& layout, const ScheduleDefaults& defaults, DecimalMark mark);

// What an evaluated row hands down to the rows it feeds.
PathEnd EndOf(const EvaluatedRow& row);

// The header and one row as the output writes them.
std::vector<std::string> OutputHeader(const std::vector<std::string>& header);
std::vector<std::string> OutputCells(std::vector<std::string> cells, std::size_t width,
                                     const std::vector<std::string>& results);

// What the tree outline shows of a row.
struct OutlineRow {
  std::string tag;
  int line = 0;
  std::string size;
  std::optional<float> ownPercent, totalPercent;
  bool viaTransformer = false;
  bool error = false;
  std::optional<double> calculatedVa;  // of the loads a row that feeds others serves
  std::optional<float> faultKa;        // at the load end, motors included
};

// The tree as indented text: each row under its supply, with its size, its
// own and total drop, its calculated load and its fault current.
std::string TreeOutline(const DistributionTree& tree, const std::vector<OutlineRow>& rows);

// Reads the schedule from `in` and writes it with the result columns to
// `out`, the results of an earlier run replaced; the tree's outline too
// when asked. The rows are read once and kept aside in a scratch file, so
// the decimal mark is known from all of them and every supply is evaluated
// before the rows it feeds. Throws CsvError when the input is not a usable
// schedule (nothing is written then), std::runtime_error when the rows
// cannot be kept aside.
ScheduleSummary RunSchedule(std::istream& in, std::ostream& out, const ScheduleDefaults& defaults, int jobs,
                            std::string* outline = nullptr);

}  // namespace quillet
