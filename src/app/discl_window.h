// The Read Me window at work: centred over the main window whenever it
// becomes active; any click or key closes it.
#pragma once

#include "forms/discl_form.h"

namespace quillet {

class Elcal;

class DisclWindow : public DisclForm {
 public:
  DisclWindow(Desktop& desktop, Elcal& main);

 private:
  Elcal& main_;
};

}  // namespace quillet
