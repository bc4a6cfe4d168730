// The Read Me window `Discl`: what the calculator assumes and the disclaimer.
// Any click or key closes it.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class Elcal;

class DisclWindow : public Window {
 public:
  DisclWindow(Desktop& desktop, Elcal& main);

  TextBox& Text4 = Add<TextBox>("Text4");
  TextBox& Text1 = Add<TextBox>("Text1");
  TextBox& Text2 = Add<TextBox>("Text2");
  TextBox& Text3 = Add<TextBox>("Text3");
  TextBox& Text5 = Add<TextBox>("Text5");
  Control& Command3 = AddPlain(ControlKind::CommandButton, "Command3");

 private:
  Elcal& main_;
};

}  // namespace quillet
