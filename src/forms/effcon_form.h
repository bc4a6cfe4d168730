// The settings window `EffCon`: the three figures of the energy-cost tip and
// the two start-up choices, with Save Changes and Cancel.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class EffConForm : public Window {
 public:
  explicit EffConForm(Desktop& desktop);

  Control& Label5 = AddPlain(ControlKind::Label, "Label5");
  Control& Label2 = AddPlain(ControlKind::Label, "Label2");
  TextBox& Text1 = Add<TextBox>("Text1");
  Control& Label3 = AddPlain(ControlKind::Label, "Label3");
  TextBox& Text2 = Add<TextBox>("Text2");
  Control& Label4 = AddPlain(ControlKind::Label, "Label4");
  TextBox& Text3 = Add<TextBox>("Text3");
  CheckBox& System = Add<CheckBox>("System");
  CheckBox& Help = Add<CheckBox>("Help");
  Control& Command1 = AddPlain(ControlKind::CommandButton, "Command1");
  Control& Command2 = AddPlain(ControlKind::CommandButton, "Command2");
};

}  // namespace quillet
