// Evaluates one feeder by driving a calculator the way a user would:
// options, values, load, then the pass. Every number comes from the
// window's own state, so a schedule and the window never disagree.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <string>
#include <vector>

#include "schedule/feeder.h"

namespace quillet {

class Elcal;
class FeederCalculator;
class UserActions;
struct ElcalState;

// "14 AWG" ... "4/0 AWG", "250 kcmil" ... "1000 kcmil".
std::string SizeName(int areaIndex);

// The drop a feeder's row reports in `vd_v` and `vd_pct`, holds to its limit
// and is sized by: the DC drop the window shows for a DC feeder, the AC drop
// for any other.
FeederDrop ReportedDrop(const FeederInputs& inputs, const ElcalState& shown);
bool WithinDropLimit(const FeederInputs& inputs, float dropPercent);

// How a no-fit note writes its figures: exactly in a schedule's error, as
// the size finder's table shows them in its sentence.
struct FigureWriters {
  std::function<std::string(double)> current;  // with its unit
  std::function<std::string(float)> ampacity;  // with its unit
  std::function<std::string(float)> percent;   // with its unit
};
std::string NoFitWords(const FeederInputs& inputs, const NoFit& noFit, const FigureWriters& write);

// One round of the main window's two tickers through the user actions, as
// 50 ms of waiting gives: the load lock's ticker runs the pass.
void WaitForPass(Elcal& window, UserActions& actions);

// Enters the feeder with the given size into a running main window through
// the user actions a person would use, the same sequence every evaluation
// plays, and runs its pass; what the window refused, if anything. Another
// window posts it to the desktop (`Desktop::Post`): inside a handler its
// ticks would be dropped.
std::optional<FeederError> EnterFeederInWindow(Elcal& window, UserActions& actions, const FeederInputs& inputs,
                                               int areaIndex);

// What each raceway of the feeder holds, with the defaults the row leaves
// to the rules (design/raceway.h).
Wiring WiringOf(const FeederInputs& inputs);
// What the feeder's design is asked for (design/feeder_design.h).
DesignRequest DesignRequestOf(const FeederInputs& inputs);

// A calculator kept for many feeders: started at the first, as the program
// starts, and brought back to exactly the state start-up left before each
// feeder it evaluates. One thread at a time evaluates through an engine.
class FeederEngine {
 public:
  FeederEngine();
  ~FeederEngine();
  // Engines give the same results whatever their calculator has done, so a
  // copy is an engine of its own, its calculator not started yet.
  FeederEngine(const FeederEngine&);
  FeederEngine& operator=(const FeederEngine&);
  FeederEngine(FeederEngine&&) noexcept;
  FeederEngine& operator=(FeederEngine&&) noexcept;

  // Evaluates the feeder with its size, or finds the smallest size whose
  // design ampacity is enough (feeder_design.h) and whose drop keeps
  // within the limit; either way with the sizes each limit alone needs and
  // the design of the size used.
  FeederResult Evaluate(const FeederInputs& inputs);
  // The row's load current as the window finds it, for one of its units:
  // its system, voltage, power factor and load entered and a pass run;
  // what the window refused, if anything. Every evaluation of the row
  // shows the same current.
  std::variant<double, FeederError> UnitLoadCurrent(const FeederInputs& inputs);
  // Back to the state start-up left, as before every feeder.
  void Reset();
  // The calculator's main window, as the last feeder or a reset left it.
  const Elcal& Window();

 private:
  FeederCalculator& Calculator();

  std::unique_ptr<FeederCalculator> calculator_;
};

// Evaluates one feeder on a calculator started for it alone; a caller with
// many feeders keeps a FeederEngine instead.
FeederResult EvaluateFeeder(const FeederInputs& inputs);

}  // namespace quillet
