// The Read Me window `Discl`: what the calculator assumes and the disclaimer.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class DisclForm : public Window {
 public:
  explicit DisclForm(Desktop& desktop);

  TextBox& Text4 = Add<TextBox>("Text4");
  TextBox& Text1 = Add<TextBox>("Text1");
  TextBox& Text2 = Add<TextBox>("Text2");
  TextBox& Text3 = Add<TextBox>("Text3");
  TextBox& Text5 = Add<TextBox>("Text5");
  Control& Command3 = AddPlain(ControlKind::CommandButton, "Command3");
};

}  // namespace quillet
