// The voltage-system picker `Phases`: a picture and a description of each
// system in its own panel.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class PhasesForm : public Window {
 public:
  explicit PhasesForm(Desktop& desktop);

  Control& Panel3ph = AddPlain(ControlKind::Panel3D, "Panel3ph");
  Picture& Picture1 = Add<Picture>("Picture1", &Panel3ph);
  Control& Label2 = AddPlain(ControlKind::Label, "Label2", &Panel3ph);
  Control& Label1 = AddPlain(ControlKind::Label, "Label1", &Panel3ph);
  Control& Panel1ph = AddPlain(ControlKind::Panel3D, "Panel1ph");
  Picture& Picture2 = Add<Picture>("Picture2", &Panel1ph);
  Control& Label3 = AddPlain(ControlKind::Label, "Label3", &Panel1ph);
  Control& Label4 = AddPlain(ControlKind::Label, "Label4", &Panel1ph);
};

}  // namespace quillet
