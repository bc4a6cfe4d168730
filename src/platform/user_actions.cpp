#include "platform/user_actions.h"

#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/utf8.h"
#include "platform/window.h"

namespace quillet {
namespace {
constexpr int kBackspace = 8;
constexpr int kSpace = 32;

void Run(const std::function<void()>& handler) {
  if (handler) handler();
}

bool TakesFocusOnClick(const Control& c) {
  return c.Focusable() && c.Kind() != ControlKind::TextBox;
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

void UserActions::Hover(Control& control) {
  Desktop::Guard busy(desktop_);
  Run(control.MouseMove);
}

void UserActions::DoubleClick(Control& control) {
  Desktop::Guard busy(desktop_);
  Run(control.DblClick);
}

bool UserActions::Tick(Timer& timer) {
  if (desktop_.Busy() || !timer.Enabled()) return false;
  Desktop::Guard busy(desktop_);
  Run(timer.Tick);
  return true;
}

}  // namespace quillet
