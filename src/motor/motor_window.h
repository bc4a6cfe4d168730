// The motor information window `Motor`: how the full-load current is chosen.
#pragma once

#include "platform/window.h"

namespace quillet {

class MotorWindow : public Window {
 public:
  explicit MotorWindow(Desktop& desktop);

  // Opens at the main window's left and top position.
  void ShowOver(const Window& main);

  Control& Label1;
  Control& Label2;
  Control& Label3;
  Control& Label4;
};

}  // namespace quillet
