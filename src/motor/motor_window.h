// The motor information window at work: opened over the main window, closed
// by a click anywhere on it.
#pragma once

#include "forms/motor_form.h"

namespace quillet {

class MotorWindow : public MotorForm {
 public:
  explicit MotorWindow(Desktop& desktop);

  // Opens at the main window's left and top position.
  void ShowOver(const Window& main);
};

}  // namespace quillet
