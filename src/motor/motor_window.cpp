#include "motor/motor_window.h"

#include <initializer_list>

namespace quillet {

MotorWindow::MotorWindow(Desktop& desktop) : MotorForm(desktop) {
  for (Control* label : {&Label1, &Label2, &Label3, &Label4}) label->Click = [this] { Close(); };
  ClickOnWindow = [this] { Close(); };
}

void MotorWindow::ShowOver(const Window& main) {
  Move(main.Left(), main.Top());
  Show();
}

}  // namespace quillet
