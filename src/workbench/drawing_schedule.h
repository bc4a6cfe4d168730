// The feeder schedule as a drawing carries it: one line a row in the tree's
// order, each under its supply, with the few columns a reviewer reads (tag,
// supply, load, design current, device, conductor set, length, drops, fault
// current, check). Every cell is the window's own text for the same figure;
// the printed page and the spreadsheet's second sheet both take this table.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

class ScheduleModel;

struct DrawingCell {
  std::string text;  // as the window shows it
  // The figure with every digit, in the heading's unit, where the cell is one.
  std::optional<double> number;
  bool fails = false;  // the row fails the check this cell's figure is judged by
};

struct DrawingRow {
  std::size_t row = 0;  // the schedule's row
  int depth = 0;        // how many supplies of the schedule lie above it
  std::vector<DrawingCell> cells;
};

// The tag is always the first column and Check the last; the others are
// left out where no row has anything in them.
struct DrawingSchedule {
  std::vector<std::string> headings;
  std::vector<DrawingRow> rows;
};

// The model's rows as they stand (evaluate them first): each supply before
// the rows it feeds, those in the schedule's order.
DrawingSchedule BuildDrawingSchedule(const ScheduleModel& model);

}  // namespace quillet
