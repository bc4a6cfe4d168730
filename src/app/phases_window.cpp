#include "app/phases_window.h"

#include <initializer_list>

#include "core/elcal.h"
#include "forms/center_over_main.h"

namespace quillet {

PhasesWindow::PhasesWindow(Desktop& desktop, Elcal& main) : PhasesForm(desktop), main_(main) {
  Load = [this] { CenterOverMain(*this, main_, Width(), Height()); };
  Deactivate = [this] { Close(); };
  for (Control* c : {&Panel3ph, static_cast<Control*>(&Picture1), &Label1, &Label2})
    c->Click = [this] { Pick(main_.TPh); };
  for (Control* c : {&Panel1ph, static_cast<Control*>(&Picture2), &Label3, &Label4})
    c->Click = [this] { Pick(main_.SPh); };
  for (Control* c : Controls())
    c->MouseMove = [this] { main_.Stat.SetCaption(" Click the picture or the system selected"); };
}

// The picker is gone before the option's handler runs.
void PhasesWindow::Pick(OptionButton& system) {
  Close();
  system.SetValue(true);
}

}  // namespace quillet
