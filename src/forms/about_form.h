// The window `About`: the program's name and version.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class AboutForm : public Window {
 public:
  explicit AboutForm(Desktop& desktop);

  Control& Lbl_Program = AddPlain(ControlKind::Label, "Lbl_Program");
  Control& Lbl_Version = AddPlain(ControlKind::Label, "Lbl_Version");
  Control& Command2 = AddPlain(ControlKind::CommandButton, "Command2");
  Control& Command3 = AddPlain(ControlKind::CommandButton, "Command3");
};

}  // namespace quillet
