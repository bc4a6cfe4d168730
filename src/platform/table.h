// A read-only table of texts under fixed column headings, one row marked.
// The rows change as a whole; a view shows them and scrolls the marked row
// into sight.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace quillet {

struct TableColumn {
  std::string heading;
  int width = 0;  // twips
};

class Table : public Control {
 public:
  Table(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::Table, std::move(name), container) {}

  // Fixed when the window is built, so no change is reported.
  const std::vector<TableColumn>& Columns() const { return columns_; }
  void SetColumns(std::vector<TableColumn> columns) { columns_ = std::move(columns); }

  using Row = std::vector<std::string>;
  const std::vector<Row>& Rows() const { return rows_; }
  // Rows shorter than the headings show blank cells; longer ones are cut.
  void SetRows(std::vector<Row> rows);
  // The marked row, or -1 for none; an index outside the rows marks none.
  int Marked() const { return marked_; }
  void SetMarked(int row);

 private:
  std::vector<TableColumn> columns_;
  std::vector<Row> rows_;
  int marked_ = -1;
};

}  // namespace quillet
