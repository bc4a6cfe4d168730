#include "platform/user_actions.h"

#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/diagram.h"
#include "platform/grid.h"
#include "platform/menu.h"
#include "platform/utf8.h"
#include "platform/window.h"

#include <vector>

namespace quillet {
namespace {
constexpr int kBackspace = 8;
constexpr int kSpace = 32;
constexpr int kDelete = 46;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

// -1 for left and up, +1 for right and down, 0 for any other key.
int ArrowStep(int keyCode) {
  if (keyCode == kLeft || keyCode == kUp) return -1;
  if (keyCode == kRight || keyCode == kDown) return 1;
  return 0;
}

// The enabled options sharing the option's container, in window order.
std::vector<OptionButton*> GroupOf(const OptionButton& option) {
  std::vector<OptionButton*> group;
  for (Control* c : option.Owner().Controls()) {
    if (c->Kind() == ControlKind::Option3D && c->Container() == option.Container() &&
        (c->Enabled() || c == &option))
      group.push_back(static_cast<OptionButton*>(c));
  }
  return group;
}

void Run(const std::function<void()>& handler) {
  if (handler) handler();
}

bool TakesFocusOnClick(const Control& c) {
  return c.Focusable() && c.Kind() != ControlKind::TextBox;
}

// Whether the user may edit the grid's cells in that column.
bool Edits(const Grid& grid, int column) {
  return grid.Enabled() && !grid.ReadOnly() && grid.Source() && grid.Source()->Editable(column);
}

bool IsButton(const Control& c) {
  return c.Kind() == ControlKind::CommandButton || c.Kind() == ControlKind::Command3D ||
         c.Kind() == ControlKind::CheckBox || c.Kind() == ControlKind::Option3D;
}
}  // namespace

void UserActions::Focus(Control& control) {
  Desktop::Guard busy(desktop_);
  if (control.Enabled()) control.SetFocus();
}

void UserActions::TypeChar(TextBox& box, const std::string& character) {
  Desktop::Guard busy(desktop_);
  if (!box.Enabled()) return;
  box.SetFocus();
  int code = character == "\b" ? kBackspace : static_cast<int>(Utf8First(character));
  if (box.KeyPress) box.KeyPress(code);
  if (code == 0) return;
  if (code == kBackspace) box.Backspace();
  else box.InsertAtCaret(character);
}

void UserActions::KeyDown(Control& control, int keyCode) {
  Desktop::Guard busy(desktop_);
  if (!control.Enabled()) return;
  control.SetFocus();
  if (control.KeyDown) control.KeyDown(keyCode);
  if (keyCode == kSpace && IsButton(control)) Click(control);
  else StepWithArrow(control, keyCode);
}

void UserActions::DeleteKey(TextBox& box) {
  Desktop::Guard busy(desktop_);
  if (!box.Enabled()) return;
  box.SetFocus();
  if (box.KeyDown) box.KeyDown(kDelete);
  box.DeleteForward();
}

void UserActions::SelectText(TextBox& box, int start, int length) {
  Desktop::Guard busy(desktop_);
  if (start == box.SelStart() && length == box.SelLength()) return;
  box.SetSelStart(start);
  box.SetSelLength(length);
}

void UserActions::StepWithArrow(Control& control, int keyCode) {
  const int step = ArrowStep(keyCode);
  if (step == 0) return;
  if (auto* list = dynamic_cast<ComboBox*>(&control)) {
    const int next = list->ListIndex() + step;
    if (next >= 0 && next < list->ListCount() && next != list->ListIndex()) Select(*list, next);
  } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
    const auto group = GroupOf(*option);
    const auto count = static_cast<int>(group.size());
    int at = 0;
    while (group[static_cast<std::size_t>(at)] != option) ++at;
    OptionButton& next = *group[static_cast<std::size_t>((at + step + count) % count)];
    next.SetFocus();
    Click(next);
  }
}

void UserActions::Click(Control& control) {
  Desktop::Guard busy(desktop_);
  if (!control.Enabled()) return;
  if (TakesFocusOnClick(control)) control.SetFocus();
  switch (control.Kind()) {
    case ControlKind::Option3D:
      static_cast<OptionButton&>(control).SetValue(true);
      return;
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBox&>(control);
      box.SetValue(box.Value() ? 0 : 1);
      break;
    }
    default:
      break;
  }
  Run(control.Click);
}

bool UserActions::AccessKey(Window& window, char key) {
  if (!window.Shown()) return false;
  for (Control* control : window.Controls()) {
    if (!control->HasAccessKey(key) || !control->Visible() || !control->Enabled()) continue;
    Click(*control);
    return true;
  }
  return false;
}

void UserActions::Select(ComboBox& list, int index) {
  Desktop::Guard busy(desktop_);
  if (!list.Enabled()) return;
  list.SetFocus();
  list.SetListIndex(index);
  Run(list.Click);
}

void UserActions::SpinUp(Control& spin) {
  Desktop::Guard busy(desktop_);
  auto* button = dynamic_cast<SpinButton*>(&spin);
  if (button && button->Enabled()) Run(button->SpinUp);
}

void UserActions::SpinDown(Control& spin) {
  Desktop::Guard busy(desktop_);
  auto* button = dynamic_cast<SpinButton*>(&spin);
  if (button && button->Enabled()) Run(button->SpinDown);
}

void UserActions::Hover(Control& control) { RunBusy(control.MouseMove); }

void UserActions::DoubleClick(Control& control) { RunBusy(control.DblClick); }

void UserActions::RunBusy(const std::function<void()>& handler) {
  Desktop::Guard busy(desktop_);
  Run(handler);
}

void UserActions::HoverWindow(Window& window) { RunBusy(window.MouseMoveOnWindow); }
void UserActions::ClickWindow(Window& window) { RunBusy(window.ClickOnWindow); }
void UserActions::KeyDownOnWindow(Window& window) { RunBusy(window.KeyDownOnWindow); }
void UserActions::RightClickWindow(Window& window) { RunBusy(window.RightClickOnWindow); }

void UserActions::PickMenuItem(Menu& menu, int index) {
  Desktop::Guard busy(desktop_);
  menu.Dismiss();
  if (!menu.Enabled() || index < 0 || index >= static_cast<int>(menu.Items().size())) return;
  // A copy: the item's work may change the menu.
  const std::function<void()> pick = menu.Items()[static_cast<std::size_t>(index)].Pick;
  Run(pick);
}

void UserActions::DismissMenu(Menu& menu) {
  Desktop::Guard busy(desktop_);
  menu.Dismiss();
}

bool UserActions::Shortcut(Window& window, const std::string& keys) {
  for (Control* control : window.Controls()) {
    auto* menu = dynamic_cast<Menu*>(control);
    if (!menu) continue;
    if (const int index = menu->IndexOfShortcut(keys); index >= 0) {
      PickMenuItem(*menu, index);
      return true;
    }
  }
  return false;
}

void UserActions::DeactivateWindow(Window& window) {
  if (window.Shown()) RunBusy(window.Deactivate);
}

void UserActions::SelectCell(Grid& grid, int row, int column) {
  Desktop::Guard busy(desktop_);
  if (!grid.Enabled() || grid.ReadOnly()) return;
  grid.SetFocus();
  grid.SetCurrent(row, column);
}

void UserActions::EditCell(Grid& grid, int row, int column, const std::string& text) {
  Desktop::Guard busy(desktop_);
  if (!Edits(grid, column)) return;
  if (row < 0 || row >= grid.Source()->RowCount()) return;
  grid.SetCurrent(row, column);
  if (grid.CellEdited) grid.CellEdited(row, column, text);
}

void UserActions::PasteCells(Grid& grid, int row, int column, const std::string& text) {
  Desktop::Guard busy(desktop_);
  if (!Edits(grid, column)) return;
  if (row < 0 || row > grid.Source()->RowCount()) return;
  grid.SetCurrent(row, column);
  if (grid.BlockPasted) grid.BlockPasted(row, column, text);
}

void UserActions::UndoInGrid(Grid& grid) {
  if (grid.Enabled() && !grid.ReadOnly()) RunBusy(grid.UndoRequested);
}

void UserActions::ClickBox(Diagram& diagram, int box) {
  Desktop::Guard busy(desktop_);
  if (!diagram.Enabled() || box < 0 || box >= static_cast<int>(diagram.Drawing().boxes.size())) return;
  diagram.SetFocus();
  if (diagram.BoxClicked) diagram.BoxClicked(box);
}

void UserActions::CloseWindow(Window& window) {
  Desktop::Guard busy(desktop_);
  window.Close();
}

void UserActions::MoveWindow(Window& window, int left, int top) {
  Desktop::Guard busy(desktop_);
  if (window.Shown() && (left != window.Left() || top != window.Top())) window.Move(left, top);
}

void UserActions::ResizeWindow(Window& window, int width, int height) {
  Desktop::Guard busy(desktop_);
  if (window.Shown() && window.Resizable()) window.SetSize(width, height);
}

void UserActions::SetWindowState(Window& window, WindowState state) {
  Desktop::Guard busy(desktop_);
  if (window.Shown() && window.Resizable()) window.SetState(state);
}

bool UserActions::Tick(Timer& timer) {
  if (desktop_.Busy() || !timer.Enabled()) return false;
  Desktop::Guard busy(desktop_, &timer);
  Run(timer.Tick);
  return true;
}

}  // namespace quillet
