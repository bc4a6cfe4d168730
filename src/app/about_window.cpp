#include "app/about_window.h"

#include "core/elcal.h"
#include "forms/center_over_main.h"

namespace quillet {

AboutWindow::AboutWindow(Desktop& desktop, Elcal& main) : AboutForm(desktop), main_(main) {
  Load = [this] {
    CenterOverMain(*this, main_, Width(), Height());
    SetCaption("About " + main_.state.ProgramName);
  };
  Activate = [this] {
    Lbl_Program.SetCaption(main_.state.ProgramName);
    Lbl_Version.SetCaption(main_.state.VersionText);
    Command3.SetFocus();
  };
  Command3.Click = [this] { Close(); };
  ClickOnWindow = [this] { Close(); };
}

}  // namespace quillet
