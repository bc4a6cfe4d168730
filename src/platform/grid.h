// A table of cells for a view to show and, where the source allows, edit:
// the rows and columns come from a source the window supplies, so a long
// table is never copied into the control. A view reads the cells again when
// the grid reports Items.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace quillet {

class GridSource {
 public:
  virtual ~GridSource() = default;
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  virtual std::string Heading(int column) const = 0;
  // What the column is beyond its heading (the file's name for it).
  virtual std::string HeadingTip(int) const { return ""; }
  virtual std::string Cell(int row, int column) const = 0;
  virtual Colour CellColour(int, int) const { return kWindowText; }
  virtual std::string CellTip(int, int) const { return ""; }
  // The row's number at its left, coloured and explained where the row
  // needs the eye first (an error).
  virtual Colour RowHeaderColour(int) const { return kWindowText; }
  virtual std::string RowHeaderTip(int) const { return ""; }
  virtual bool Editable(int) const { return false; }
  // The texts a list offers for the cell; empty for free text.
  virtual std::vector<std::string> Choices(int, int) const { return {}; }
};

class Grid : public Control {
 public:
  Grid(Window& window, std::string name, Control* container)
      : Control(window, ControlKind::Grid, std::move(name), container) {}

  const GridSource* Source() const { return source_; }
  void SetSource(const GridSource* source) { source_ = source; }
  // The cells changed; a view reads them again. The current cell and the
  // mark stay within the rows.
  void Refresh();

  // Fixed when the window is built, so no change is reported. A read-only
  // grid only shows its rows, as a list of results does: no cell is edited
  // or made current, it takes no focus and numbers no rows.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  // Column widths in twips; none: each column as wide as its cells.
  const std::vector<int>& ColumnWidths() const { return widths_; }
  void SetColumnWidths(std::vector<int> twips) { widths_ = std::move(twips); }
  bool Focusable() const override { return !readOnly_; }

  // The current cell; -1 and -1 when the table has none. Another cell
  // raises Change before the set returns.
  int CurrentRow() const { return row_; }
  int CurrentColumn() const { return column_; }
  void SetCurrent(int row, int column);
  // The marked row (the answer among the rows), or -1 for none; a row
  // outside the table marks none.
  int Marked() const { return marked_; }
  void SetMarked(int row);

  // The user finished editing a cell (typed, picked, pasted or cleared).
  std::function<void(int row, int column, const std::string& text)> CellEdited;
  // Tab-separated rows of cells pasted with their top left at the cell.
  std::function<void(int row, int column, const std::string& text)> BlockPasted;
  // The user asked to take the last edit back.
  std::function<void()> UndoRequested;

 private:
  int Rows() const { return source_ ? source_->RowCount() : 0; }

  const GridSource* source_ = nullptr;
  bool readOnly_ = false;
  std::vector<int> widths_;
  int row_ = -1, column_ = -1;
  int marked_ = -1;
};

}  // namespace quillet
