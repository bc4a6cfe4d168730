// Evaluates one feeder by driving a calculator the way a user would:
// options, values, load, then the pass. Every number comes from the
// window's own state, so a schedule and the window never disagree.
#pragma once

#include <functional>
#include <memory>
#include <optional>
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

// A calculator started once, as the program starts, and brought back to
// exactly the state start-up left before each feeder it evaluates.
class FeederEngine {
 public:
  FeederEngine();
  ~FeederEngine();
  FeederEngine(const FeederEngine&) = delete;
  FeederEngine& operator=(const FeederEngine&) = delete;

  // Evaluates the feeder with its size, or finds the smallest size whose
  // design ampacity is enough (feeder_design.h) and whose drop keeps
  // within the limit; either way with the sizes each limit alone needs and
  // the design of the size used.
  FeederResult Evaluate(const FeederInputs& inputs);
  // Back to the state start-up left, as before every feeder.
  void Reset();
  // The calculator's main window, as the last feeder or a reset left it.
  const Elcal& Window() const;

 private:
  std::unique_ptr<FeederCalculator> calculator_;
};

// Evaluates the feeder through the calling thread's own engine, started at
// its first feeder: each thread of a schedule keeps one calculator, and so
// does the program's own thread for the schedule window, the size finder
// and the report.
FeederResult EvaluateFeeder(const FeederInputs& inputs);

}  // namespace quillet
