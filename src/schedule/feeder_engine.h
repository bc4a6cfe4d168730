// Evaluates one feeder by driving a freshly started calculator the way a
// user would: options, values, load, then the pass. Every number comes from
// the window's own state, so a schedule and the window never disagree.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "schedule/feeder.h"

namespace quillet {

class Elcal;
class UserActions;

// "14 AWG" ... "4/0 AWG", "250 kcmil" ... "1000 kcmil".
std::string SizeName(int areaIndex);

// The size finder's two limits for the numbers a size gave: the ampacity
// carries the current (× 1.25 for a continuous load), and the AC drop stays
// within the feeder's limit.
double RequiredAmpacity(const FeederInputs& inputs, double current);
bool CarriesLoad(const FeederInputs& inputs, double current, float ampacity);
bool WithinDropLimit(const FeederInputs& inputs, float vdAcPercent);

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

// Evaluates the feeder with its size, or finds the smallest size that
// carries the current and keeps the drop within the limit.
FeederResult EvaluateFeeder(const FeederInputs& inputs);

}  // namespace quillet
