// A model table on screen: a read-only QTableWidget under the model's
// headings, the marked row in the selection colours and scrolled into sight.
#pragma once

class QTableWidget;
class QWidget;

namespace quillet {

class Grid;

QTableWidget* NewGridTable(const Grid& grid, QWidget* parent);
// Rows and mark, each changed only where the widget differs.
void ShowGridRows(const Grid& grid, QTableWidget* table);
void ShowGridMark(const Grid& grid, QTableWidget* table);

}  // namespace quillet
