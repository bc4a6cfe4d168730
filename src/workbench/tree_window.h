// The distribution tree window at work: the schedule's rows as a one-line
// diagram, drawn again as the schedule changes while the window is shown;
// a click on a box or an arrow key selects a row in the schedule's table.
#pragma once

#include <cstddef>
#include <functional>

#include "forms/tree_form.h"
#include "workbench/tree_diagram.h"

namespace quillet {

class ScheduleModel;

class TreeWindow : public TreeForm {
 public:
  // `selectRow` makes the row current in the schedule's table.
  TreeWindow(Desktop& desktop, const ScheduleModel& model, std::function<void(std::size_t row)> selectRow);

  // Shows the window beside `schedule`, or brings it forward.
  void Open(const Window& schedule, int currentRow);
  // The schedule changed: drawn again, the current row's box marked.
  void Redraw(int currentRow);
  // The current row of the table moved.
  void MarkRow(int row);
  // The row the box shows.
  std::size_t RowOf(int box) const { return drawn_.rows.at(static_cast<std::size_t>(box)); }

 private:
  void Step(int keyCode);
  void Select(std::size_t row);

  const ScheduleModel& model_;
  std::function<void(std::size_t row)> selectRow_;
  TreeDrawing drawn_;
};

}  // namespace quillet
