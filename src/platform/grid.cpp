#include "platform/grid.h"

namespace quillet {

void Grid::SetCurrent(int row, int column) {
  if (row == row_ && column == column_) return;
  row_ = row;
  column_ = column;
  Notify(Property::Selection);
}

}  // namespace quillet
