// The settings window at work: edits the five saved preferences, checks
// them and hands the running ones to the main window.
#pragma once

#include "settings/settings_file.h"
#include "forms/effcon_form.h"

namespace quillet {

class Elcal;

class EffConWindow : public EffConForm {
 public:
  EffConWindow(Desktop& desktop, Elcal& main);

 private:
  struct Field;
  static const Field kFields[3];

  void Form_Load();
  void SaveChanges();
  int CorrectOnOpening(const Field& field);
  bool Accept(const Field& field);
  TextBox& Box(const Field& field);

  Elcal& main_;
  Settings values_;  // the window's own copy while it is open
};

}  // namespace quillet
