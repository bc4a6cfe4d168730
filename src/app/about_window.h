// The `About` window at work: centred over the main window, showing the
// program's name and version; OK or a click on it closes it.
#pragma once

#include "forms/about_form.h"

namespace quillet {

class Elcal;

class AboutWindow : public AboutForm {
 public:
  AboutWindow(Desktop& desktop, Elcal& main);

 private:
  Elcal& main_;
};

}  // namespace quillet
