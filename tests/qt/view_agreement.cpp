#include "view_agreement.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "platform/controls.h"
#include "platform/diagram.h"
#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/shown_text.h"
#include "platform/window.h"
#include "qt/diagram_view.h"
#include "qt/twips.h"
#include "qt/widgets.h"
#include "qt/window_view.h"

namespace quillet {
namespace {

// What a button or frame title draws: "&&" as "&", "&x" as an underlined x.
QString WithoutMnemonics(const QString& text) {
  QString drawn;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    drawn += text[i];
  }
  return drawn;
}

std::optional<QString> DrawnText(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return WithoutMnemonics(frame->title());
  if (auto* button = dynamic_cast<const CaptionButton*>(widget)) return WithoutMnemonics(button->Caption());
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return WithoutMnemonics(button->text());
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
  if (auto* area = qobject_cast<const QPlainTextEdit*>(widget)) return area->toPlainText();
  return std::nullopt;
}

QString ModelText(const Control& control) {
  if (auto* box = dynamic_cast<const TextBox*>(&control)) {
    QString text = QString::fromStdString(box->Text());
    if (box->MultiLine()) text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
  }
  return QString::fromStdString(ShownCaption(control));
}

std::string Quoted(const QString& text) { return "\"" + text.toStdString() + "\""; }

std::optional<std::string> ListDisagreement(const ComboBox& list, const QComboBox& combo) {
  if (combo.count() != list.ListCount())
    return std::to_string(combo.count()) + " items shown for " + std::to_string(list.ListCount());
  for (int i = 0; i < combo.count(); ++i)
    if (combo.itemText(i).toStdString() != list.Items()[static_cast<std::size_t>(i)])
      return "item " + std::to_string(i) + " shows " + Quoted(combo.itemText(i));
  if (combo.currentIndex() != list.ListIndex())
    return "shows pick " + std::to_string(combo.currentIndex()) + " for " + std::to_string(list.ListIndex());
  return std::nullopt;
}

// The rows and columns the view has laid out (not what its model would
// answer now), the headings, every cell, the marked row and the current cell.
std::optional<std::string> GridDisagreement(const Grid& grid, const QTableView& view) {
  const GridSource* source = grid.Source();
  const int rows = source ? source->RowCount() : 0, columns = source ? source->ColumnCount() : 0;
  if (view.verticalHeader()->count() != rows || view.horizontalHeader()->count() != columns)
    return "lays out " + std::to_string(view.verticalHeader()->count()) + " x " +
           std::to_string(view.horizontalHeader()->count()) + " cells for " + std::to_string(rows) + " x " +
           std::to_string(columns);
  const QAbstractItemModel& shown = *view.model();
  for (int c = 0; c < columns; ++c)
    if (shown.headerData(c, Qt::Horizontal).toString().toStdString() != source->Heading(c))
      return "heads column " + std::to_string(c) + " " + Quoted(shown.headerData(c, Qt::Horizontal).toString());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c)
      if (shown.index(r, c).data().toString().toStdString() != source->Cell(r, c))
        return "shows " + Quoted(shown.index(r, c).data().toString()) + " in cell " + std::to_string(r) + "," +
               std::to_string(c);
    if (shown.index(r, 0).data(Qt::FontRole).value<QFont>().bold() != (r == grid.Marked()))
      return r == grid.Marked() ? "does not mark row " + std::to_string(r) : "marks row " + std::to_string(r);
  }
  const QModelIndex current = view.currentIndex();
  if (grid.CurrentRow() >= 0 && (current.row() != grid.CurrentRow() || current.column() != grid.CurrentColumn()))
    return "has its current cell at " + std::to_string(current.row()) + "," + std::to_string(current.column());
  return std::nullopt;
}

// The view scrolls over the whole drawing and no further.
std::optional<std::string> DiagramDisagreement(const Diagram& diagram, const DiagramView& view) {
  const QSize shown = view.viewport()->size();
  const int across = std::max(0, ToPixels(diagram.Drawing().width) - shown.width());
  const int down = std::max(0, ToPixels(diagram.Drawing().height) - shown.height());
  if (view.horizontalScrollBar()->maximum() != across || view.verticalScrollBar()->maximum() != down)
    return "scrolls " + std::to_string(view.horizontalScrollBar()->maximum()) + " x " +
           std::to_string(view.verticalScrollBar()->maximum()) + " for " + std::to_string(across) + " x " +
           std::to_string(down);
  return std::nullopt;
}

std::optional<std::string> MenuDisagreement(const Menu& menu, const QMenu& shown) {
  const QList<QAction*> actions = shown.actions();
  if (actions.size() != std::ssize(menu.Items()))
    return "offers " + std::to_string(actions.size()) + " items for " + std::to_string(menu.Items().size());
  for (qsizetype i = 0; i < actions.size(); ++i) {
    const MenuItem& item = menu.Items()[static_cast<std::size_t>(i)];
    const QString keys = actions[i]->shortcut().toString(QKeySequence::PortableText);
    if (actions[i]->text().toStdString() != item.text || keys.toStdString() != item.shortcut)
      return "item " + std::to_string(i) + " shows " + Quoted(actions[i]->text() + QLatin1Char('\t') + keys);
  }
  return std::nullopt;
}

std::optional<std::string> ControlDisagreement(const Control& control, const QWidget& widget) {
  if (!widget.isWindow() && widget.geometry() != ToRect(control.Place()))
    return "sits at " + std::to_string(widget.x()) + "," + std::to_string(widget.y()) + " " +
           std::to_string(widget.width()) + " x " + std::to_string(widget.height());
  if (auto drawn = DrawnText(&widget); drawn && *drawn != ModelText(control))
    return "shows " + Quoted(*drawn) + " for " + Quoted(ModelText(control));
  if (widget.palette().color(QPalette::Active, QPalette::WindowText) != ShownColour(control.ForeColor()))
    return "is drawn in " + widget.palette().color(QPalette::Active, QPalette::WindowText).name().toStdString() +
           " for colour " + std::to_string(control.ForeColor());
  if (auto* box = dynamic_cast<const TextBox*>(&control); box && !box->MultiLine()) {
    auto& edit = static_cast<const QLineEdit&>(widget);
    const QString text = edit.text();
    const int startUnits = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int start = static_cast<int>(text.left(startUnits).toUcs4().size());
    const int length = static_cast<int>(edit.selectedText().toUcs4().size());
    if (start != box->SelStart() || length != box->SelLength())
      return "selects " + std::to_string(start) + "+" + std::to_string(length) + " for " +
             std::to_string(box->SelStart()) + "+" + std::to_string(box->SelLength());
  }
  if (widget.testAttribute(Qt::WA_ForceDisabled) == control.Enabled())
    return control.Enabled() ? "is disabled" : "is enabled";
  if (widget.isHidden() == control.Visible()) return control.Visible() ? "is hidden" : "is shown";
  if (auto* option = dynamic_cast<const OptionButton*>(&control);
      option && static_cast<const QAbstractButton&>(widget).isChecked() != option->Value())
    return option->Value() ? "is not checked" : "is checked";
  if (auto* check = dynamic_cast<const CheckBox*>(&control);
      check && static_cast<const QAbstractButton&>(widget).isChecked() != (check->Value() != 0))
    return check->Value() ? "is not checked" : "is checked";
  if (auto* list = dynamic_cast<const ComboBox*>(&control))
    return ListDisagreement(*list, static_cast<const QComboBox&>(widget));
  if (auto* grid = dynamic_cast<const Grid*>(&control))
    if (auto broken = GridDisagreement(*grid, static_cast<const QTableView&>(widget))) return broken;
  if (auto* menu = dynamic_cast<const Menu*>(&control))
    if (auto broken = MenuDisagreement(*menu, static_cast<const QMenu&>(widget))) return broken;
  if (auto* diagram = dynamic_cast<const Diagram*>(&control))
    if (auto broken = DiagramDisagreement(*diagram, static_cast<const DiagramView&>(widget))) return broken;
  if (widget.accessibleName().toStdString() != AccessibleName(control))
    return "is named " + Quoted(widget.accessibleName()) + " for \"" + AccessibleName(control) + "\"";
  return std::nullopt;
}

std::optional<std::string> TimerDisagreement(const Timer& timer, const WindowView& view) {
  auto* qtimer = view.findChild<QTimer*>(QString::fromStdString(timer.Name()), Qt::FindDirectChildrenOnly);
  if (!qtimer) return "has no timer";
  if (qtimer->isActive() != timer.Enabled()) return timer.Enabled() ? "is stopped" : "runs";
  if (qtimer->interval() != timer.Interval()) return "runs every " + std::to_string(qtimer->interval()) + " ms";
  return std::nullopt;
}

std::optional<std::string> WindowDisagreement(const Window& model, const WindowView& view) {
  if (view.windowTitle().toStdString() != model.Caption()) return "is titled " + Quoted(view.windowTitle());
  if (view.isVisible() != model.Shown()) return model.Shown() ? "is not shown" : "is still shown";
  if (!model.Shown()) return std::nullopt;
  if (view.pos() != QPoint(ToPixels(model.Left()), ToPixels(model.Top())))
    return "sits at " + std::to_string(view.x()) + "," + std::to_string(view.y());
  if (model.Width() > kNonClientWidth && model.Height() > kNonClientHeight &&
      view.size() != QSize(ToPixels(model.Width() - kNonClientWidth), ToPixels(model.Height() - kNonClientHeight)))
    return "is " + std::to_string(view.width()) + " x " + std::to_string(view.height());
  if ((view.windowModality() == Qt::ApplicationModal) != model.Modal())
    return model.Modal() ? "is not modal" : "is modal";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> Disagreement(const WindowView& view) {
  const Window& model = view.Model();
  if (auto broken = WindowDisagreement(model, view)) return "window " + model.Name() + " " + *broken;
  for (const Control* control : model.Controls()) {
    std::optional<std::string> broken;
    if (auto* timer = dynamic_cast<const Timer*>(control)) broken = TimerDisagreement(*timer, view);
    else if (const QWidget* widget = view.WidgetOf(control->Name())) broken = ControlDisagreement(*control, *widget);
    else broken = "has no widget";
    if (broken) return model.Name() + "." + control->Name() + " " + *broken;
  }
  return std::nullopt;
}

}  // namespace quillet
