#include "platform/grid.h"

#include <algorithm>

namespace quillet {

void Grid::Refresh() {
  const int rows = Rows();
  const int columns = source_ ? source_->ColumnCount() : 0;
  if (marked_ >= rows) marked_ = -1;
  Notify(Property::Items);
  // Rows taken away (an undo, a shorter file) take the current cell with them.
  if (row_ >= rows || column_ >= columns) SetCurrent(std::min(row_, rows - 1), std::min(column_, columns - 1));
}

void Grid::SetCurrent(int row, int column) {
  // A cell needs both; without one the table has none.
  if (row < 0 || column < 0) row = column = -1;
  if (row == row_ && column == column_) return;
  row_ = row;
  column_ = column;
  Notify(Property::Selection);
  Raise(Change);
}

void Grid::SetMarked(int row) {
  if (row < -1 || row >= Rows()) row = -1;
  if (row == marked_) return;
  marked_ = row;
  Notify(Property::ListIndex);
}

}  // namespace quillet
