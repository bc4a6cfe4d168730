#include "app/discl_window.h"

#include "core/elcal.h"
#include "forms/center_over_main.h"

namespace quillet {

DisclWindow::DisclWindow(Desktop& desktop, Elcal& main) : DisclForm(desktop), main_(main) {
  for (TextBox* box : {&Text4, &Text1, &Text2, &Text3, &Text5}) box->Click = [this] { Close(); };
  Command3.Click = [this] { Close(); };
  ClickOnWindow = [this] { Close(); };
  KeyDownOnWindow = [this] { Close(); };
  Activate = [this] { CenterOverMain(*this, main_, Width(), Height()); };
}

}  // namespace quillet
