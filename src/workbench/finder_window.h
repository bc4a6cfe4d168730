// The size finder at work: filled from the main window as it stands, it
// shows the sizes the engine tried and the smallest that meets both limits,
// and hands the answer back to the main window as a person would pick it.
#pragma once

#include <optional>

#include "forms/finder_form.h"
#include "schedule/feeder.h"
#include "workbench/size_table.h"

namespace quillet {

class Elcal;
class Program;
class UserActions;

class FinderWindow : public FinderForm {
 public:
  // Joins the program's Tools menu as "Find the smallest size…".
  explicit FinderWindow(Program& program);

  // Takes the main window's inputs and shows the finder over it.
  void Open();
  // The feeder as the finder last sized it (its limit, duty, DC and nonlinear choices),
  // when the feeder given is that one, whatever size and runs it now has.
  std::optional<FeederInputs> SizedAs(const FeederInputs& feeder) const;
  // The drop limit last left standing (3 % until one is).
  double DropLimit() const { return accepted_; }

 private:
  void Refresh();
  void ShowNoLimit();
  bool LimitTextValid() const;
  bool AcceptOrRefuseLimit();
  void OnKey(int keyCode);
  void UseThisSize();
  void PickInMain(int listIndex, int runs);

  Elcal& main_;
  UserActions& actions_;
  FeederInputs inputs_;
  SizeTableSource sizes_;
  double limit_ = 3;     // the limit the table is for
  double accepted_ = 3;  // the last limit left standing; remembered until the program closes
  std::optional<int> answerArea_;
  bool filling_ = false;
  std::optional<FeederInputs> sized_;  // as the finder last closed
};

}  // namespace quillet
