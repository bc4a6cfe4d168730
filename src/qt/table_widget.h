// A model table on screen: a read-only QTableWidget under the model's
// headings, the marked row in the selection colours and scrolled into sight.
#pragma once

class QTableWidget;
class QWidget;

namespace quillet {

class Table;

QTableWidget* NewTableWidget(const Table& model, QWidget* parent);
// Rows and mark, each changed only where the widget differs.
void ShowTableRows(const Table& model, QTableWidget* table);
void ShowTableMark(const Table& model, QTableWidget* table);

}  // namespace quillet
