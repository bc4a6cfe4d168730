// A grid control on screen: a table view over the grid's cells, editing in
// place (a list where the cell offers one), spreadsheet keys, and blocks of
// cells copied and pasted as tab-separated text; a read-only grid is a plain
// list under its headings. A sheet's first column stays in place while the
// others scroll sideways. The marked row is painted in the selection
// colours and scrolled into sight. Edits and moves go back through the user
// actions; the grid's changes come in as Refresh.
#pragma once

#include <QTableView>

class QTimer;

namespace quillet {

class FrozenColumn;
class Grid;
class GridTableModel;
class UserActions;

class GridView : public QTableView {
 public:
  GridView(Grid& grid, UserActions& actions, QWidget* parent);

  // The grid's cells changed: read them again.
  void Refresh();
  // The grid's current cell changed.
  void ShowCurrent();
  // The selected block as tab-separated rows.
  QString SelectedText() const;
  // An editor's text for its cell, handed to the model.
  void CommitCell(int row, int column, const QString& text);
  // Hands an open editor's text to the model and closes it, as moving the
  // focus away from it does.
  void FinishEdit();
  // An editor closed: a refresh it held back runs, and Enter moves down.
  void AfterEdit(QAbstractItemDelegate::EndEditHint hint);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void updateGeometries() override;

 private:
  void ShowAsSheet();
  void ShowAsList();
  void FreezeFirstColumn();
  void ShowOnlyFirstColumn();
  void FitFrozenColumn(int width);
  void ClearSelectedCells();
  void FitColumns();
  void DropEditOfMovedCells();

  Grid& grid_;
  UserActions& actions_;
  GridTableModel* model_;
  QTimer* fitColumns_;
  FrozenColumn* frozen_ = nullptr;  // the first column, kept in place
  int mirroring_ = 0;
  int fitting_ = 0;
  int committing_ = 0;
  bool refreshWaits_ = false;
  bool userSized_ = false;
};

}  // namespace quillet
