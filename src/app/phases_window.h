// The voltage-system picker at work: a click in a panel selects that system
// in the main window; losing the activation closes it.
#pragma once

#include "forms/phases_form.h"

namespace quillet {

class Elcal;

class PhasesWindow : public PhasesForm {
 public:
  PhasesWindow(Desktop& desktop, Elcal& main);

 private:
  void Pick(OptionButton& system);
  Elcal& main_;
};

}  // namespace quillet
