#include "platform/table.h"

namespace quillet {

void Table::SetRows(std::vector<Row> rows) {
  for (Row& row : rows) row.resize(columns_.size());
  if (rows == rows_) return;
  rows_ = std::move(rows);
  Notify(Property::Items);
  if (marked_ >= static_cast<int>(rows_.size())) SetMarked(-1);
}

void Table::SetMarked(int row) {
  if (row < -1 || row >= static_cast<int>(rows_.size())) row = -1;
  if (row == marked_) return;
  marked_ = row;
  Notify(Property::ListIndex);
}

}  // namespace quillet
