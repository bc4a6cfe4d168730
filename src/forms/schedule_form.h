// The window `Schedule`: many feeders in one table with a line under it for
// the current row's error, its buttons, the defaults for new rows, the tree
// window's button and whether the tree is printed, the order of the
// columns, and the progress of a long evaluation. The window may be
// resized: the table takes what the controls under it leave.
#pragma once

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/window.h"

namespace quillet {

inline constexpr char kScheduleTitle[] = "Feeder schedule";

class ScheduleForm : public Window {
 public:
  explicit ScheduleForm(Desktop& desktop);

  Grid& Feeders = Add<Grid>("Feeders");
  // Why the current row cannot be evaluated, when it cannot.
  Control& RowNote = AddPlain(ControlKind::Label, "RowNote");
  Control& AddRow = AddPlain(ControlKind::CommandButton, "AddRow");
  Control& Duplicate = AddPlain(ControlKind::CommandButton, "Duplicate");
  Control& DeleteRow = AddPlain(ControlKind::CommandButton, "DeleteRow");
  Control& AddFeeder = AddPlain(ControlKind::CommandButton, "AddFeeder");
  Control& OpenInCalc = AddPlain(ControlKind::CommandButton, "OpenInCalc");
  Control& Import = AddPlain(ControlKind::CommandButton, "Import");
  Control& Export = AddPlain(ControlKind::CommandButton, "Export");
  Control& Print = AddPlain(ControlKind::CommandButton, "Print");
  Control& SavePdf = AddPlain(ControlKind::CommandButton, "SavePdf");
  Control& LimitLabel = AddPlain(ControlKind::Label, "LimitLabel");
  TextBox& NewLimit = Add<TextBox>("NewLimit");
  CheckBox& NewContinuous = Add<CheckBox>("NewContinuous");
  Control& ShowTree = AddPlain(ControlKind::CommandButton, "ShowTree");
  CheckBox& PrintTree = Add<CheckBox>("PrintTree");
  CheckBox& ResultsFirst = Add<CheckBox>("ResultsFirst");
  // What Print and Save as PDF put on paper; the window fills the list.
  Control& PrintFormLabel = AddPlain(ControlKind::Label, "PrintFormLabel");
  ComboBox& PrintForm = Add<ComboBox>("PrintForm");
  Control& Progress = AddPlain(ControlKind::Label, "Progress");
  ProgressBar& EvaluationBar = Add<ProgressBar>("EvaluationBar");
  Timer& Evaluation = Add<Timer>("Evaluation");

 private:
  // Lays the controls out for the window's size.
  void Fit();
};

}  // namespace quillet
