// The main window `Elcal`: its declared controls and the calculator state it
// owns for the life of the program. Every subsystem works on this pair.
#pragma once

#include "core/elcal_state.h"
#include "forms/elcal_form.h"

namespace quillet {

class Elcal : public ElcalForm {
 public:
  using ElcalForm::ElcalForm;

  ElcalState state;
};

}  // namespace quillet
