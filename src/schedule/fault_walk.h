// The available fault current down the distribution tree: from the source
// or transformer data at the top of a path, through each row's conductors
// (the calculator's own resistance at 25 °C and reactance) and the
// transformers between, to every row's load end, top down like the drops.
// A motor feeds a fault at the point it hangs on and at every row that
// point supplies without a transformer between; it is shown apart.
#pragma once

#include <optional>
#include <string>

#include "design/fault_current.h"

namespace quillet {

struct EvaluatedRow;
struct FeederError;
struct FeederInputs;
struct RowLoad;
struct SupplyPath;

// What a row hands the rows it feeds: the point at its load end.
struct FaultEnd {
  std::optional<FaultPoint> point;  // none: not known
  // The motors' contribution there, amperes; none: a motor's current is not known.
  std::optional<double> motorAmperes = 0.0;
  // Why a figure is not known, for the rows below; "" when nothing above
  // gives fault data, which needs no saying.
  std::string unknown;

  bool operator==(const FaultEnd&) const = default;
};

// A row's figures, in kA as written.
struct RowFault {
  float ka = 0;       // at the load end, motors included
  float motorKa = 0;  // the motors' part of it
  std::optional<float> xr;  // of the impedance to the load end
  float supplyKa = 0;       // at the supply end, motors included

  bool operator==(const RowFault&) const = default;
};

// Transformer data on a row that a supply feeds with no transformer between.
std::optional<FeederError> FaultDataError(const FeederInputs& inputs, const SupplyPath& path);

// Fills the row's fault figures (or why it has none) and what it hands the
// rows it feeds, from its evaluation, the point its supply hands it and
// the motors it feeds. Nothing for a row with an error.
void NoteFaultCurrent(EvaluatedRow& row, const FeederInputs& inputs, bool loadGiven, const SupplyPath& path,
                      const RowLoad* load);

}  // namespace quillet
