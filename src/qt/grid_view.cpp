#include "qt/grid_view.h"

#include <algorithm>

#include <QAbstractTableModel>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

#include "platform/grid.h"
#include "platform/user_actions.h"
#include "platform/view_rules.h"
#include "schedule/csv.h"
#include "qt/theme.h"
#include "qt/twips.h"
#include "qt/widgets.h"

namespace quillet {

class GridTableModel : public QAbstractTableModel {
 public:
  GridTableModel(Grid& grid, GridView* view) : QAbstractTableModel(view), grid_(grid), view_(*view) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !grid_.Source() ? 0 : grid_.Source()->RowCount();
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !grid_.Source() ? 0 : grid_.Source()->ColumnCount();
  }

  // The marked row reads as selected, in bold, without taking a selection
  // the user could change.
  QVariant data(const QModelIndex& index, int role) const override {
    const GridSource& s = *grid_.Source();
    const bool marked = index.row() == grid_.Marked();
    switch (role) {
      case Qt::DisplayRole:
      case Qt::EditRole:
        return QString::fromStdString(s.Cell(index.row(), index.column()));
      case Qt::BackgroundRole: {
        if (marked) return view_.palette().brush(QPalette::Active, QPalette::Highlight);
        const Colour colour = s.CellColour(index.row(), index.column());
        if (colour == kWindowText) return {};
        const QColor base = view_.palette().color(QPalette::Base);
        const QColor backdrop = BackdropFor(ShownColour(colour), base);
        return backdrop == base ? QVariant() : QVariant(backdrop);
      }
      case Qt::FontRole: {
        if (!marked) return {};
        QFont bold = view_.font();
        bold.setBold(true);
        return bold;
      }
      case Qt::ForegroundRole: {
        if (marked) return view_.palette().brush(QPalette::Active, QPalette::HighlightedText);
        const Colour colour = s.CellColour(index.row(), index.column());
        return colour == kWindowText ? QVariant() : QVariant(ShownColour(colour));
      }
      case Qt::ToolTipRole: {
        const std::string tip = s.CellTip(index.row(), index.column());
        return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
      }
      default:
        return {};
    }
  }

  // A row's number is coloured and explained where the row needs the eye
  // first; a heading's tip says what the file calls the column.
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    const GridSource& s = *grid_.Source();
    const bool rows = orientation == Qt::Vertical;
    switch (role) {
      case Qt::DisplayRole:
        return rows ? QVariant(section + 1) : QVariant(QString::fromStdString(s.Heading(section)));
      case Qt::ToolTipRole: {
        const std::string tip = rows ? s.RowHeaderTip(section) : s.HeadingTip(section);
        return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
      }
      case Qt::ForegroundRole: {
        if (!rows) return {};
        const Colour colour = s.RowHeaderColour(section);
        return colour == kWindowText ? QVariant() : QVariant(ShownColour(colour));
      }
      default:
        return {};
    }
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (grid_.Source()->Editable(index.column())) flags |= Qt::ItemIsEditable;
    return flags;
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (role != Qt::EditRole) return false;
    view_.CommitCell(index.row(), index.column(), value.toString());
    return true;
  }

  // Rows or columns came or went since the view last laid them out.
  bool ShapeChanged() const { return rows_ != rowCount() || columns_ != columnCount(); }

  // Reads the cells again; a new shape resets the view.
  void Refresh() {
    if (ShapeChanged()) {
      beginResetModel();
      rows_ = rowCount();
      columns_ = columnCount();
      endResetModel();
    } else if (rows_ > 0 && columns_ > 0) {
      emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    }
  }

 private:
  Grid& grid_;
  GridView& view_;
  int rows_ = 0, columns_ = 0;
};

namespace {

constexpr char kFilled[] = "quilletFilled";

// A list for the cells that offer one, a line of text for the others.
class GridDelegate : public QStyledItemDelegate {
 public:
  GridDelegate(const Grid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    const auto choices = grid_.Source()->Choices(index.row(), index.column());
    if (choices.empty()) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* list = new QComboBox(parent);
    for (const std::string& choice : choices) list->addItem(QString::fromStdString(choice));
    return list;
  }

  // Filled once, as it opens: the cells refreshed while it is open (every
  // tick of a long evaluation) leave what the user is typing alone.
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (editor->property(kFilled).toBool()) return;
    editor->setProperty(kFilled, true);
    auto* list = qobject_cast<QComboBox*>(editor);
    if (!list) return QStyledItemDelegate::setEditorData(editor, index);
    const QString text = index.data(Qt::EditRole).toString();
    // A spelling the list lacks ("copper", "#14") stays as typed.
    if (list->findText(text) < 0) list->insertItem(0, text);
    list->setCurrentIndex(list->findText(text));
  }

  // The current cell keeps a frame of its own, so it stays in sight after
  // an edit is committed and in a row painted as marked.
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view || view->currentIndex() != index) return;
    painter->save();
    const bool onHighlight = option.state.testFlag(QStyle::State_Selected) || index.data(Qt::BackgroundRole).isValid();
    painter->setPen(QPen(option.palette.color(onHighlight ? QPalette::HighlightedText : QPalette::Highlight), 2));
    painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    painter->restore();
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    auto* list = qobject_cast<QComboBox*>(editor);
    if (!list) return QStyledItemDelegate::setModelData(editor, model, index);
    if (list->currentText() != index.data(Qt::EditRole).toString()) model->setData(index, list->currentText());
  }

 private:
  const Grid& grid_;
};

constexpr int kSettleMs = 150;

}  // namespace

// The first column drawn over the table's left edge. Its cells are edited
// here, above the table, with an editor of its own.
class FrozenColumn : public QTableView {
 public:
  explicit FrozenColumn(GridView* table) : QTableView(table), table_(*table) {}

  bool EditFrom(const QModelIndex& index, EditTrigger trigger, QEvent* event) { return edit(index, trigger, event); }
  QWidget* Editor() const { return state() == EditingState ? indexWidget(currentIndex()) : nullptr; }
  void Finish(QWidget* editor, bool keep) {
    if (keep) commitData(editor);
    closeEditor(editor, keep ? QAbstractItemDelegate::NoHint : QAbstractItemDelegate::RevertModelCache);
  }

 protected:
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
    QTableView::closeEditor(editor, hint);
    table_.setFocus();
    table_.AfterEdit(hint);
  }

 private:
  GridView& table_;
};

GridView::GridView(Grid& grid, UserActions& actions, QWidget* parent)
    : QTableView(parent),
      grid_(grid),
      actions_(actions),
      model_(new GridTableModel(grid, this)),
      fitColumns_(new QTimer(this)) {
  setModel(model_);
  setWordWrap(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  if (grid.ReadOnly()) ShowAsList();
  else ShowAsSheet();
  fitColumns_->setSingleShot(true);
  fitColumns_->setInterval(kSettleMs);
  connect(fitColumns_, &QTimer::timeout, this, [this] { FitColumns(); });
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
    if (!fitting_) userSized_ = true;
  });
}

void GridView::ShowAsSheet() {
  setItemDelegate(new GridDelegate(grid_, this));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  FreezeFirstColumn();
}

// A second view over the same cells shows the first column (the tag) over
// the table's left edge, so it stays in place while the others scroll
// sideways. It shares the selection, the editors and the row heights.
void GridView::FreezeFirstColumn() {
  frozen_ = new FrozenColumn(this);
  frozen_->setObjectName(QStringLiteral("frozenColumn"));
  frozen_->setModel(model_);
  frozen_->setSelectionModel(selectionModel());
  frozen_->setItemDelegate(new GridDelegate(grid_, frozen_));
  frozen_->setEditTriggers(editTriggers());
  frozen_->setSelectionMode(selectionMode());
  frozen_->setWordWrap(false);
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->verticalHeader()->hide();
  frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollMode(ScrollPerPixel);
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerPixel);
  viewport()->stackUnder(frozen_);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
    if (column == 0) FitFrozenColumn(width);
  });
  connect(verticalHeader(), &QHeaderView::sectionResized, frozen_,
          [this](int row, int, int height) { frozen_->setRowHeight(row, height); });
  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(), &QAbstractSlider::setValue);
  connect(model_, &QAbstractItemModel::modelReset, frozen_, [this] { ShowOnlyFirstColumn(); });
  ShowOnlyFirstColumn();
}

// Only a new shape of the table changes which columns the frozen view hides.
void GridView::ShowOnlyFirstColumn() {
  for (int column = 1; column < model_->columnCount(); ++column) frozen_->setColumnHidden(column, true);
  frozen_->setVisible(model_->columnCount() > 1);
  FitFrozenColumn(columnWidth(0));
}

void GridView::FitFrozenColumn(int width) {
  if (!frozen_) return;
  frozen_->setColumnWidth(0, width);
  frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), width,
                       viewport()->height() + horizontalHeader()->height());
}

void GridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  FitFrozenColumn(columnWidth(0));
}

// A cell the cursor moves to under the frozen column is scrolled out from
// under it.
QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = QTableView::moveCursor(action, modifiers);
  if (frozen_ && current.column() > 0 && visualRect(current).left() < frozen_->columnWidth(0))
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + visualRect(current).left() -
                                    frozen_->columnWidth(0));
  return current;
}

// A cell of the frozen column is always in sight sideways: only its row is
// scrolled to, keeping the columns beside it where they are.
void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!frozen_ || index.column() > 0 || model_->columnCount() < 2) return QTableView::scrollTo(index, hint);
  const int beside = std::max(1, columnAt(frozen_->columnWidth(0) + 1));
  QTableView::scrollTo(index.siblingAtColumn(beside), hint);
}

// The row numbers' width follows the row count; the frozen column moves
// with it.
void GridView::updateGeometries() {
  QTableView::updateGeometries();
  if (frozen_) FitFrozenColumn(columnWidth(0));
}

void GridView::ShowAsList() {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalHeader()->hide();
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// An editor handing its text over may refresh the table; the view follows
// once the editor has closed, so Qt never meets an editor it has dropped.
void GridView::CommitCell(int row, int column, const QString& text) {
  OwnWork guard(committing_);
  actions_.EditCell(grid_, row, column, text.toStdString());
}

void GridView::FinishEdit() {
  if (QWidget* editor = frozen_ ? frozen_->Editor() : nullptr) return frozen_->Finish(editor, true);
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void GridView::DropEditOfMovedCells() {
  if (!model_->ShapeChanged()) return;
  if (QWidget* editor = frozen_ ? frozen_->Editor() : nullptr) frozen_->Finish(editor, false);
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

// The first column's cells are edited in the frozen column, above the table.
bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (frozen_ && index.column() == 0) return frozen_->EditFrom(index, trigger, event);
  return QTableView::edit(index, trigger, event);
}

void GridView::Refresh() {
  if (committing_) {
    refreshWaits_ = true;
    return;
  }
  refreshWaits_ = false;
  DropEditOfMovedCells();
  model_->Refresh();
  ShowCurrent();
  if (grid_.Marked() >= 0) scrollTo(model_->index(grid_.Marked(), 0), QAbstractItemView::EnsureVisible);
  const std::vector<int>& widths = grid_.ColumnWidths();
  if (!widths.empty()) {
    // A reset of the rows forgets the widths.
    OwnWork guard(fitting_);
    for (int column = 0; column < static_cast<int>(widths.size()); ++column)
      setColumnWidth(column, ToPixels(widths[static_cast<std::size_t>(column)]));
    horizontalHeader()->setStretchLastSection(true);
    return;
  }
  // The widths follow the cells once they settle (a long evaluation
  // refreshes many times), until the user sets a width.
  if (!userSized_) fitColumns_->start();
}

void GridView::FitColumns() {
  OwnWork guard(fitting_);
  resizeColumnsToContents();
}

// Moving the current cell away from an open editor makes Qt write the edit
// into its cell; once rows came or went, that cell may be another row's, so
// the edit is dropped instead.
void GridView::ShowCurrent() {
  if (committing_) {
    refreshWaits_ = true;
    return;
  }
  const QModelIndex wanted = model_->index(grid_.CurrentRow(), grid_.CurrentColumn());
  if (!wanted.isValid() || wanted == currentIndex()) return;
  DropEditOfMovedCells();
  OwnWork guard(mirroring_);
  setCurrentIndex(wanted);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (mirroring_ || !current.isValid()) return;
  OwnWork guard(mirroring_);
  actions_.SelectCell(grid_, current.row(), current.column());
}

// Enter finishes the edit and moves down a row, as a spreadsheet does; an
// edit the model's own move of the current cell finished stays where it moved.
void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint);
  AfterEdit(hint);
}

void GridView::AfterEdit(QAbstractItemDelegate::EndEditHint hint) {
  if (refreshWaits_ && !committing_) Refresh();
  if (hint != QAbstractItemDelegate::SubmitModelCache || mirroring_) return;
  const QModelIndex below = model_->index(currentIndex().row() + 1, currentIndex().column());
  if (below.isValid()) setCurrentIndex(below);
}

QString GridView::SelectedText() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  int top = selected.front().row(), bottom = top, left = selected.front().column(), right = left;
  for (const QModelIndex& i : selected) {
    top = std::min(top, i.row());
    bottom = std::max(bottom, i.row());
    left = std::min(left, i.column());
    right = std::max(right, i.column());
  }
  // Quoted where a cell holds a tab, a line break or a quote, as a
  // spreadsheet copies it.
  std::string text;
  for (int r = top; r <= bottom; ++r) {
    std::vector<std::string> cells;
    for (int c = left; c <= right; ++c) cells.push_back(grid_.Source()->Cell(r, c));
    text += CsvLine(cells, '\t', "\r\n");
  }
  return QString::fromStdString(text);
}

void GridView::ClearSelectedCells() {
  for (const QModelIndex& i : selectionModel()->selectedIndexes())
    if (grid_.Source()->Editable(i.column()) && !i.data().toString().isEmpty())
      actions_.EditCell(grid_, i.row(), i.column(), "");
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState) {
    if (event->matches(QKeySequence::Copy)) {
      QGuiApplication::clipboard()->setText(SelectedText());
      return;
    }
    if (event->matches(QKeySequence::Paste)) {
      const QModelIndex at = currentIndex();
      if (at.isValid())
        actions_.PasteCells(grid_, at.row(), at.column(), QGuiApplication::clipboard()->text().toStdString());
      return;
    }
    if (event->matches(QKeySequence::Undo)) {
      actions_.UndoInGrid(grid_);
      return;
    }
    if (event->key() == Qt::Key_Delete) {
      ClearSelectedCells();
      return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      const QModelIndex below = model_->index(currentIndex().row() + 1, currentIndex().column());
      if (below.isValid()) setCurrentIndex(below);
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

}  // namespace quillet
