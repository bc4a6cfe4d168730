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
#include "platform/menu.h"
#include "platform/view_rules.h"
#include "platform/window.h"
#include "qt/diagram_view.h"
#include "qt/widgets.h"
#include "qt/window_view.h"
#include "soak/view_soak.h"

namespace quillet {
namespace {

std::optional<std::string> DrawnText(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdString();
  if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return WithoutMnemonics(frame->title().toStdString());
  if (auto* button = dynamic_cast<const CaptionButton*>(widget))
    return WithoutMnemonics(button->Caption().toStdString());
  if (auto* button = qobject_cast<const QAbstractButton*>(widget))
    return WithoutMnemonics(button->text().toStdString());
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text().toStdString();
  if (auto* area = qobject_cast<const QPlainTextEdit*>(widget)) return area->toPlainText().toStdString();
  return std::nullopt;
}

std::pair<int, int> Selection(const QLineEdit& edit) {
  const QString text = edit.text();
  const int startUnits = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
  return {static_cast<int>(text.left(startUnits).toUcs4().size()),
          static_cast<int>(edit.selectedText().toUcs4().size())};
}

// The rows the view has laid out, with the model's data as it shows them.
ShownGrid GridShown(const QTableView& view) {
  ShownGrid grid;
  const QAbstractItemModel& shown = *view.model();
  const int rows = view.verticalHeader()->count(), columns = view.horizontalHeader()->count();
  for (int c = 0; c < columns; ++c) grid.headings.push_back(shown.headerData(c, Qt::Horizontal).toString().toStdString());
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string>& cells = grid.cells.emplace_back();
    for (int c = 0; c < columns; ++c) cells.push_back(shown.index(r, c).data().toString().toStdString());
    if (shown.index(r, 0).data(Qt::FontRole).value<QFont>().bold()) grid.marked = grid.marked < 0 ? r : -2;
  }
  grid.currentRow = view.currentIndex().row();
  grid.currentColumn = view.currentIndex().column();
  return grid;
}

std::vector<std::string> MenuShown(const QMenu& menu) {
  std::vector<std::string> items;
  for (const QAction* action : menu.actions()) {
    const MenuItem item{action->text().toStdString(),
                        action->shortcut().toString(QKeySequence::PortableText).toStdString(), {}};
    items.push_back(MenuItemLabel(item));
  }
  return items;
}

ShownControl Shown(const Control& control, const QWidget& widget) {
  ShownControl shown;
  if (!widget.isWindow()) {
    const QRect r = widget.geometry();
    shown.place = PixelRect{r.x(), r.y(), r.width(), r.height()};
  }
  shown.text = DrawnText(&widget);
  shown.colour = widget.palette().color(QPalette::Active, QPalette::WindowText).rgb();
  if (auto* box = dynamic_cast<const TextBox*>(&control); box && !box->MultiLine())
    shown.selection = Selection(static_cast<const QLineEdit&>(widget));
  shown.enabled = !widget.testAttribute(Qt::WA_ForceDisabled);
  shown.visible = !widget.isHidden();
  if (control.Kind() == ControlKind::Option3D || control.Kind() == ControlKind::CheckBox)
    shown.checked = static_cast<const QAbstractButton&>(widget).isChecked();
  if (auto* combo = qobject_cast<const QComboBox*>(&widget)) {
    std::vector<std::string>& items = shown.items.emplace();
    for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
    shown.listIndex = combo->currentIndex();
  }
  if (auto* menu = qobject_cast<const QMenu*>(&widget)) shown.items = MenuShown(*menu);
  if (control.Kind() == ControlKind::Grid) shown.grid = GridShown(static_cast<const QTableView&>(widget));
  shown.accessibleName = widget.accessibleName().toStdString();
  return shown;
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

ShownControl TimerShown(const Timer& timer, const WindowView& view) {
  ShownControl shown;
  if (auto* qtimer = view.findChild<QTimer*>(QString::fromStdString(timer.Name()), Qt::FindDirectChildrenOnly)) {
    shown.timerRunning = qtimer->isActive();
    shown.timerInterval = qtimer->interval();
  }
  return shown;
}

ShownWindow WindowShown(const WindowView& view) {
  return {view.windowTitle().toStdString(), view.isVisible(), view.x(), view.y(),
          PixelRect{0, 0, view.width(), view.height()}, view.windowModality() == Qt::ApplicationModal};
}

std::uint32_t OnScreen(Colour colour) { return ShownColour(colour).rgb(); }

}  // namespace

std::optional<std::string> Disagreement(const WindowView& view) {
  const auto differs = [&view](const Control& control) -> std::optional<std::string> {
    if (auto* timer = dynamic_cast<const Timer*>(&control))
      return ControlDisagreement(control, TimerShown(*timer, view), OnScreen, Nesting::InContainers);
    const QWidget* widget = view.WidgetOf(control.Name());
    if (!widget) return "has no widget";
    auto broken = ControlDisagreement(control, Shown(control, *widget), OnScreen, Nesting::InContainers);
    if (auto* diagram = dynamic_cast<const Diagram*>(&control); diagram && !broken)
      broken = DiagramDisagreement(*diagram, static_cast<const DiagramView&>(*widget));
    return broken;
  };
  return WindowAgreement(view.Model(), WindowShown(view), differs);
}

}  // namespace quillet
