// A read-only model grid (the size finder's table) as a Windows list view
// in report mode: the headings and widths of the grid, the cells read from
// its source as the list draws them, the marked row in the selection's
// colours and bold, a cell in its own colour. The user cannot select a row
// or take the focus into it: the model's read-only grid only lists.
#pragma once

#include "win32/windows_api.h"
#include <commctrl.h>

#include <string>
#include <vector>

namespace quillet {

class Grid;

class ListGrid {
 public:
  ListGrid(const Grid& grid, HWND list, HFONT bold);

  // The source's rows, columns and headings again; the mark scrolled into sight.
  void Refresh();
  void ShowMarked();
  // WM_NOTIFY from the list: the cells it asks for and its custom drawing.
  LRESULT OnNotify(NMHDR& header);

  // What the list has laid out and draws, for the agreement check.
  std::vector<std::string> Headings() const;
  int Rows() const;
  std::string Cell(int row, int column) const;
  int Marked() const { return marked_; }

 private:
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

  const Grid& grid_;
  HWND list_;
  HFONT bold_;
  int columns_ = 0;
  int marked_ = -1;
  std::wstring cell_;  // the last cell handed to the list; it reads it at once
};

}  // namespace quillet
