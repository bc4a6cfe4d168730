#include "qt/table_widget.h"

#include <QHeaderView>
#include <QTableWidget>

#include "platform/table.h"
#include "qt/twips.h"
#include "qt/widgets.h"

namespace quillet {
namespace {

// The marked row reads as selected without taking a selection the user
// could change.
void PaintRow(QTableWidget* table, int row, bool marked) {
  const QPalette& palette = table->palette();
  for (int column = 0; column < table->columnCount(); ++column) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) continue;
    item->setBackground(marked ? palette.brush(QPalette::Active, QPalette::Highlight) : QBrush());
    item->setForeground(marked ? palette.brush(QPalette::Active, QPalette::HighlightedText) : QBrush());
    QFont font = item->font();
    font.setBold(marked);
    item->setFont(font);
  }
}

}  // namespace

QTableWidget* NewTableWidget(const Table& model, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(model.Columns().size()), parent);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->horizontalHeader()->setSectionsClickable(false);
  table->horizontalHeader()->setHighlightSections(false);
  table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int column = 0; column < table->columnCount(); ++column) {
    const TableColumn& heading = model.Columns()[static_cast<std::size_t>(column)];
    table->setHorizontalHeaderItem(column, new QTableWidgetItem(PlainCaption(heading.heading)));
    table->setColumnWidth(column, ToPixels(heading.width));
  }
  table->horizontalHeader()->setStretchLastSection(true);
  table->setMouseTracking(true);
  return table;
}

void ShowTableRows(const Table& model, QTableWidget* table) {
  const auto& rows = model.Rows();
  table->setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < table->rowCount(); ++row) {
    for (int column = 0; column < table->columnCount(); ++column) {
      const QString text = PlainCaption(rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
      QTableWidgetItem* item = table->item(row, column);
      if (!item) table->setItem(row, column, new QTableWidgetItem(text));
      else if (item->text() != text) item->setText(text);
    }
  }
  ShowTableMark(model, table);
}

void ShowTableMark(const Table& model, QTableWidget* table) {
  for (int row = 0; row < table->rowCount(); ++row) PaintRow(table, row, row == model.Marked());
  if (model.Marked() >= 0 && model.Marked() < table->rowCount())
    table->scrollToItem(table->item(model.Marked(), 0), QAbstractItemView::EnsureVisible);
}

}  // namespace quillet
