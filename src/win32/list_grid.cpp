#include "win32/list_grid.h"

#include "platform/grid.h"
#include "platform/native_text.h"
#include "platform/view_rules.h"

namespace quillet {
namespace {

COLORREF Rgb(Colour colour) {
  return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : static_cast<COLORREF>(colour);
}

std::wstring HeadingText(HWND list, int column) {
  wchar_t text[256] = {};
  LVCOLUMNW read{};
  read.mask = LVCF_TEXT;
  read.pszText = text;
  read.cchTextMax = static_cast<int>(std::size(text));
  ListView_GetColumn(list, column, &read);
  return text;
}

}  // namespace

ListGrid::ListGrid(const Grid& grid, HWND list, HFONT bold) : grid_(grid), list_(list), bold_(bold) {
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  Refresh();
}

void ListGrid::Refresh() {
  const GridSource* source = grid_.Source();
  const int columns = source ? source->ColumnCount() : 0;
  const std::vector<int>& widths = grid_.ColumnWidths();
  while (columns_ > columns) ListView_DeleteColumn(list_, --columns_);
  for (int c = 0; c < columns; ++c) {
    std::wstring heading = WideFromUtf8(source->Heading(c));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = heading.data();
    column.iSubItem = c;
    column.cx = c < static_cast<int>(widths.size()) ? ToPixels(widths[static_cast<std::size_t>(c)]) : 80;
    if (c >= columns_) ListView_InsertColumn(list_, c, &column);
    else if (HeadingText(list_, c) != heading) ListView_SetColumn(list_, c, &column);
  }
  columns_ = columns;
  const int rows = source ? source->RowCount() : 0;
  ListView_SetItemCountEx(list_, rows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  marked_ = grid_.Marked() < rows ? grid_.Marked() : -1;
  InvalidateRect(list_, nullptr, TRUE);
  ShowMarked();
}

void ListGrid::ShowMarked() {
  marked_ = grid_.Marked() < Rows() ? grid_.Marked() : -1;
  if (marked_ >= 0) ListView_EnsureVisible(list_, marked_, FALSE);
  InvalidateRect(list_, nullptr, TRUE);
}

LRESULT ListGrid::OnNotify(NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      if ((info.item.mask & LVIF_TEXT) && grid_.Source() && info.item.iItem < grid_.Source()->RowCount()) {
        cell_ = WideFromUtf8(grid_.Source()->Cell(info.item.iItem, info.item.iSubItem));
        info.item.pszText = cell_.data();
      }
      return 0;
    }
    case LVN_ITEMCHANGING:
      return TRUE;  // no row is selected but the marked one, which is drawn so
    case NM_CUSTOMDRAW:
      return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    default:
      return 0;
  }
}

LRESULT ListGrid::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      if (static_cast<int>(draw.nmcd.dwItemSpec) == marked_) {
        SelectObject(draw.nmcd.hdc, bold_);
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        return CDRF_NEWFONT;
      }
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      const GridSource* source = grid_.Source();
      const int row = static_cast<int>(draw.nmcd.dwItemSpec);
      const Colour colour = source && row < source->RowCount() ? source->CellColour(row, draw.iSubItem) : kWindowText;
      draw.clrText = Rgb(colour);
      draw.clrTextBk = GetSysColor(COLOR_WINDOW);
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

std::vector<std::string> ListGrid::Headings() const {
  std::vector<std::string> headings;
  const HWND header = ListView_GetHeader(list_);
  const int count = Header_GetItemCount(header);
  for (int c = 0; c < count; ++c) headings.push_back(Utf8FromWide(HeadingText(list_, c)));
  return headings;
}

int ListGrid::Rows() const { return ListView_GetItemCount(list_); }

std::string ListGrid::Cell(int row, int column) const {
  wchar_t text[512] = {};
  ListView_GetItemText(list_, row, column, text, static_cast<int>(std::size(text)));
  return Utf8FromWide(text);
}

}  // namespace quillet
