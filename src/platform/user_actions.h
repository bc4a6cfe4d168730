// The user's actions, one entry point each. The script driver and the Qt
// view both come through here, so they behave the same. Every action runs
// with the desktop marked busy: a timer tick arriving meanwhile is dropped.
#pragma once

#include <string>

namespace quillet {

class Control;
class ComboBox;
class Desktop;
class TextBox;
class Timer;

class UserActions {
 public:
  explicit UserActions(Desktop& desktop) : desktop_(desktop) {}

  void Focus(Control& control);
  // One key stroke of a character (UTF-8, one character; "\b" is backspace).
  void TypeChar(TextBox& box, const std::string& character);
  void KeyDown(Control& control, int keyCode);
  void Click(Control& control);
  void Select(ComboBox& list, int index);
  void SpinUp(Control& spin);
  void SpinDown(Control& spin);
  void Hover(Control& control);
  void DoubleClick(Control& control);
  // A timer's tick; returns false when it was dropped.
  bool Tick(Timer& timer);

 private:
  Desktop& desktop_;
};

}  // namespace quillet
