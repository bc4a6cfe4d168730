// The settings window `EffCon`: edits the five saved preferences, checks
// them and hands the running ones to the main window.
#pragma once

#include "efficiency/settings_file.h"
#include "platform/controls.h"
#include "platform/window.h"

namespace quillet {

class Elcal;

class EffConWindow : public Window {
 public:
  EffConWindow(Desktop& desktop, Elcal& main);

  Control& Label5 = AddPlain(ControlKind::Label, "Label5");
  Control& Label2 = AddPlain(ControlKind::Label, "Label2");
  TextBox& Text1 = Add<TextBox>("Text1");
  Control& Label3 = AddPlain(ControlKind::Label, "Label3");
  TextBox& Text2 = Add<TextBox>("Text2");
  Control& Label4 = AddPlain(ControlKind::Label, "Label4");
  TextBox& Text3 = Add<TextBox>("Text3");
  CheckBox& System = Add<CheckBox>("System");
  CheckBox& Help = Add<CheckBox>("Help");
  Control& Command1 = AddPlain(ControlKind::CommandButton, "Command1");
  Control& Command2 = AddPlain(ControlKind::CommandButton, "Command2");

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
